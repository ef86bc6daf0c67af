// A dynamic block's header: its code-length code, then the literal/length and distance code
// lengths coded with it.
#pragma once

#include <span>

#include "inflate/decode_table.h"
#include "inflate/huffman_data.h"
#include "inflate/lsb_bit_reader.h"

namespace codec::deflate {

// Reads the header and builds the block's tables. kCorrupt for counts past the alphabets, codes
// that deflate forbids, repeats before the first length or past the last, and a literal/length
// code without the end-of-block symbol.
Outcome ReadDynamicHeader(LsbBitReader& reader, std::span<TableEntry> literals,
                          std::span<TableEntry> distances);

}  // namespace codec::deflate
