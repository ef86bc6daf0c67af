// How a block's tokens are best coded, by exact size: verbatim or aligned, with trees built for
// its symbols or the previous block's trees kept (sent as differences, unchanged trees cost few
// bits), or the block's bytes sent uncompressed.
#pragma once

#include <cstdint>

#include "lzx/lzx_block_stats.h"
#include "lzx/lzx_tokens.h"

namespace codec {

struct LzxBlockChoice {
  LzxBlockType type = LzxBlockType::kUncompressed;
  LzxTreeLengths lengths;  // for a compressed block
  std::uint64_t bits = 0;  // its header, trees and tokens (or bytes)
};

// The bits of an uncompressed block of `size` bytes: its header, padded to a word (a whole word
// at worst), the repeated offsets, the bytes and the padding byte after an odd count.
std::uint64_t LzxUncompressedBits(std::uint32_t size);

// The smallest coding of a block whose tokens have `stats`, the trees being sent against
// `previous` (LzxWriter::trees()).
LzxBlockChoice ChooseLzxBlock(const LzxBlockStats& stats, const LzxTreeLengths& previous,
                              unsigned window_bits);

}  // namespace codec
