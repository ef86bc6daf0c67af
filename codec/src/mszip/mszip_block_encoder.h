// One data block of an MSZIP folder: "CK", then a DEFLATE stream giving exactly the block's bytes,
// whose matches may reach into the 32 KiB before it. The coded block depends only on those bytes,
// so blocks can be coded in any order, on any thread.
//
// Every match of the block is found once (the history goes into the finder first). The block is
// parsed as one dynamic DEFLATE block: kRounds shortest paths, the first under the fixed code's
// costs, each next one under the best code for the one before. The splitter cuts that parse where
// the statistics change; each piece is parsed again from its own statistics and becomes the
// smallest of its dynamic, fixed (one exact shortest path) or stored block. The cut plan is kept
// when its exact size, stored blocks aligned where they fall, beats the uncut block's.
//
// Memory: 640 KiB for the match finder; the block's matches, 8 bytes each and at most 32 per
// position (8 MiB at worst, about 1 MiB on real files); under 2 MiB of parses and plans.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "lz/binary_tree_finder.h"
#include "lz/match_table.h"
#include "mszip/block_parser.h"
#include "mszip/block_splitter.h"

namespace codec {

class MsZipBlockEncoder {
 public:
  MsZipBlockEncoder();

  // `bytes`: the `history` bytes before the block (at most 32 KiB), then the block (1 to 32 KiB).
  // Appends the coded block to `out`.
  void Encode(std::span<const std::uint8_t> bytes, std::uint32_t history,
              std::vector<std::uint8_t>& out);

 private:
  // The smallest block for [from, to) of the bytes: `dynamic`, or a fixed or stored one.
  deflate::Block Cheapest(std::span<const std::uint8_t> bytes, std::uint32_t from, std::uint32_t to,
                          deflate::Block dynamic);

  lz::BinaryTreeFinder finder_;
  lz::MatchTable table_;
  deflate::BlockParser parser_;
  deflate::BlockSplitter splitter_;
};

}  // namespace codec
