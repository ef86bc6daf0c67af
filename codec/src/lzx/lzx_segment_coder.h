// The parse of one segment of a folder's data, and where its blocks end: what a worker thread
// does, from the segment's matches and bytes alone, so that segments can be planned in any order
// and the output does not depend on how many threads plan them.
//
// A greedy pass gives the first statistics; a shortest path under their costs gives a parse that
// the splitter cuts into blocks where the statistics change. Each block is then parsed again
// kRounds times, each under the costs of the parse before, as verbatim or aligned as its symbols
// favour, and keeps its smallest parse. The repeated offsets carried in from the segment before
// are not known here (but at the folder's start): the writer's decide which distances are repeats.
//
// Memory: the parser's 1 MiB, and 32 bytes per position of the segment (8 MiB) for its parses
// and their tokens.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "lzx/lzx_block_splitter.h"
#include "lzx/lzx_cost_model.h"
#include "lzx/lzx_match_table.h"
#include "lzx/lzx_parser.h"
#include "lzx/lzx_steps.h"

namespace codec {

struct LzxSegmentPlan {
  struct Block {
    std::size_t steps_end;  // the index of the step after the block
    std::uint32_t size;     // the bytes it gives
  };
  std::vector<LzxStep> steps;
  std::vector<Block> blocks;
};

class LzxSegmentCoder {
 public:
  static constexpr int kRounds = 3;
  // Matches of the longest length are taken whole: nothing is looked at inside them.
  static constexpr std::uint32_t kLongMatch = kLzxMaxMatch;

  explicit LzxSegmentCoder(unsigned window_bits) : window_bits_(window_bits) {}

  // Plans positions [from, to) of `bytes` (as `table` counts them, the table covering them; at most
  // LzxBlockSplitter::kMostBytes), the distances in R0-R2 before them being `repeated` (0 for those
  // not known).
  void Plan(const LzxMatchTable& table, std::span<const std::uint8_t> bytes, std::uint32_t from,
            std::uint32_t to, const LzxRepeated& repeated, LzxSegmentPlan& plan);

 private:
  // The statistics of a greedy parse: the longest match wherever one of 3 bytes or more starts.
  LzxBlockStats Greedy(const LzxMatchTable& table, std::span<const std::uint8_t> bytes,
                       std::uint32_t from, std::uint32_t to, LzxRepeated repeated);
  // Parses [from, to) under `model` into `steps` and their tokens, from the repeated offsets
  // `repeated`, which then follow the steps.
  void Parse(const LzxMatchTable& table, std::span<const std::uint8_t> bytes, std::uint32_t from,
             std::uint32_t to, const LzxCostModel& model, LzxRepeated& repeated,
             std::vector<LzxStep>& steps, std::vector<LzxToken>& tokens);
  // Parses the block [from, to) again from `stats`, its first parse's; appends its smallest parse.
  void Refine(const LzxMatchTable& table, std::span<const std::uint8_t> bytes, std::uint32_t from,
              std::uint32_t to, LzxBlockStats stats, LzxRepeated& repeated,
              std::vector<LzxStep>& steps);

  unsigned window_bits_;
  LzxParser parser_;
  LzxBlockSplitter splitter_;
  std::vector<LzxStep> first_;
  std::vector<LzxToken> first_tokens_;
  std::vector<LzxStep> round_;
  std::vector<LzxToken> tokens_;
};

}  // namespace codec
