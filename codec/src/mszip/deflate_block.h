// One DEFLATE block as the encoder plans it, its exact size, and its writing.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "lz/shortest_path.h"
#include "mszip/bit_writer.h"
#include "mszip/block_code.h"
#include "mszip/tree_header.h"

namespace codec::deflate {

enum class BlockType : std::uint8_t { kStored, kFixed, kDynamic };

struct Block {
  BlockType type = BlockType::kStored;
  std::uint32_t size = 0;       // bytes it gives
  std::vector<lz::Step> steps;  // fixed and dynamic blocks: the parse, in order
  BlockCode code;               // the Huffman code (the fixed one for fixed blocks)
  TreeHeader header;            // dynamic blocks: how the code is written
  std::uint64_t bits = 0;       // the whole block, a stored block's alignment aside
};

// A stored block's size from its three header bits on, alignment included, when it starts at
// `bit_position`.
std::uint64_t StoredBits(std::uint32_t size, std::uint64_t bit_position);
// A fixed or dynamic block's size, from its three header bits to its end of block.
std::uint64_t HuffmanBits(BlockType type, const SymbolCounts& counts, const BlockCode& code,
                          const TreeHeader& header);

// Writes `block`, whose bytes are `bytes` (block.size of them).
void WriteBlock(const Block& block, std::span<const std::uint8_t> bytes, bool final,
                BitWriter& out);

}  // namespace codec::deflate
