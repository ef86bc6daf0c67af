// LZX folders for the tests and the benchmark, written by LzxWriter from a greedy tokenisation:
// hash-chain matches, the repeated offsets where they match, trees built for each block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/block_codec.h"
#include "lzx/lzx_format.h"
#include "lzx/lzx_tokens.h"
#include "support/crafted_cabinet.h"
#include "support/oracles.h"

namespace codec_test {

// Keeps the data blocks a writer hands over, or refuses them when told to.
class CollectedBlocks final : public codec::BlockSink {
 public:
  bool Take(std::span<const std::uint8_t> coded, std::uint32_t expanded_size) override;
  bool refuse = false;
  std::vector<CraftedBlock> blocks;
};

struct LzxPlan {
  unsigned window_bits = 16;
  codec::LzxBlockType type = codec::LzxBlockType::kVerbatim;
  std::size_t block_size = 65536;                 // blocks may span frames
  std::optional<std::uint32_t> translation_size;  // translate x86 calls, with this header
  bool uncompressed_every_third = false;          // every third block written uncompressed
};

// Greedy tokens for data[start, end), matches taken from data[0, end) within the window, never
// past `end`. `repeated` follows the tokens.
std::vector<codec::LzxToken> GreedyTokens(const Bytes& data, std::size_t start, std::size_t end,
                                          unsigned window_bits, codec::LzxRepeated& repeated);

// The data blocks of a folder holding `data` coded as `plan` says.
std::vector<CraftedBlock> LzxFolder(const Bytes& data, const LzxPlan& plan);

// Decodes a folder's blocks with LzxDecoder; nothing on error.
std::optional<Bytes> DecodeLzxFolder(const std::vector<CraftedBlock>& blocks, unsigned window_bits);

// What `oracle` extracts from a cabinet holding the folder as one file; nothing on error.
std::optional<Bytes> ExtractLzxFolder(Oracle oracle, const std::vector<CraftedBlock>& blocks,
                                      unsigned window_bits);

}  // namespace codec_test
