// Where to cut a parsed stretch into LZX blocks. Each block pays for its header and trees but gets
// trees fitted to its own symbols: a stretch whose statistics change (an executable's code, then
// its tables and strings; text, then random bytes) is smaller cut where they change.
//
// The cuts are chosen among the tokens' boundaries near every kGrain bytes, by a shortest path
// over those candidates that prices each possible block quickly: its symbols' entropy, its extra
// bits, an estimate of its header; verbatim, aligned or uncompressed, whichever is least. Each cut
// is then moved, by steps of kFineGrain bytes, to where it prices the two blocks around it least,
// within a grain either way. The encoder parses each block again and chooses its coding exactly.
//
// Memory: 1 MiB of logarithms shared by every splitter, and 4 KiB per candidate cut.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "lzx/lzx_block_stats.h"

namespace codec {

class LzxBlockSplitter {
 public:
  static constexpr std::uint32_t kGrain = 4096;
  static constexpr std::uint32_t kFineGrain = 256;
  // The longest stretch split at once.
  static constexpr std::uint32_t kMostBytes = 1 << 18;

  // The blocks to cut `tokens` (a stretch of at most kMostBytes) into: the index of the token
  // after each block, in order, the last being tokens.size().
  std::vector<std::size_t> Split(std::span<const LzxToken> tokens);

 private:
  // Estimated bits of the block between the stats `before` it and those `after` it.
  double Estimate(const LzxBlockStats& before, const LzxBlockStats& after) const;
  // The ends of the blocks that end at candidates `chosen`, each cut moved where it is cheapest.
  std::vector<std::size_t> Refine(std::span<const LzxToken> tokens,
                                  std::span<const std::size_t> chosen);

  std::vector<LzxBlockStats> prefix_;  // the tokens' stats before each candidate cut
  std::vector<std::size_t> cuts_;      // the token index of each candidate
  LzxBlockStats running_;
  LzxBlockStats best_;
};

}  // namespace codec
