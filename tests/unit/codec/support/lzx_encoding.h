// Folders of the LZX encoder for its tests: the data blocks of a folder encoded whole or fed in
// chunks, and their size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "support/crafted_cabinet.h"

namespace codec_test {

// A failure of the encoder fails the test.
std::vector<CraftedBlock> EncodeLzx(const Bytes& data, unsigned window_bits, unsigned threads = 2,
                                    std::size_t chunk = SIZE_MAX);

// The coded bytes of all the blocks.
std::size_t CodedSize(const std::vector<CraftedBlock>& blocks);

}  // namespace codec_test
