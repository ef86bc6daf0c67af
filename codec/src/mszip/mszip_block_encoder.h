// One data block of an MSZIP folder: "CK", then a DEFLATE stream giving exactly the block's bytes,
// whose matches may reach into the 32 KiB before it. The coded block depends only on those bytes,
// so blocks can be coded in any order, on any thread.
//
// Memory: about 1 MiB for the match finder, plus the block's matches (8 bytes each, at most the
// finder's depth per position: 8 MiB in the worst case) and parses (12 bytes per position).
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
