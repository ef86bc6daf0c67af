// The cheapest LZX parse of a stretch under a cost model: in each frame, a forward pass over the
// positions, each relaxing the positions that its literal, its repeated offsets and its matches
// reach, then a walk back from the frame's end. No match crosses a frame's end, so frames are
// parsed one after the other, the repeated offsets of the cheapest path to one frame's end
// carried into the next.
//
// The repeated offsets R0-R2 are those of the cheapest path to each position: the parse tries a
// repeat of each at every position, and prices a table's match at a distance they hold as that
// repeat. Whichever path reaches a position first with its cost keeps its offsets, so the parse is
// near-optimal rather than exact. A match of `long_length` or more is taken whole, without looking
// at the positions it covers.
//
// Memory: 32 bytes per position of a frame (1 MiB).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "lzx/lzx_cost_model.h"
#include "lzx/lzx_match_table.h"
#include "lzx/lzx_steps.h"

namespace codec {

class LzxParser {
 public:
  // Parses positions [from, to) of `bytes`, counted as the table counts them and covered by it,
  // into `steps` (appended); returns the parse's cost. `repeated`: the distances in R0-R2 before
  // `from` (0 for one not known), then after the steps.
  float Run(const LzxMatchTable& table, std::span<const std::uint8_t> bytes, std::uint32_t from,
            std::uint32_t to, const LzxCostModel& model, std::uint32_t long_length,
            LzxRepeated& repeated, std::vector<LzxStep>& steps);

 private:
  struct Node {
    float cost;
    std::uint32_t length;  // of the step that reaches the position
    std::uint32_t distance;
  };

  // One frame's stretch, [from, to).
  float RunFrame(const LzxMatchTable& table, std::span<const std::uint8_t> bytes,
                 std::uint32_t from, std::uint32_t to, const LzxCostModel& model,
                 std::uint32_t long_length, LzxRepeated& repeated, std::vector<LzxStep>& steps);
  // The offsets after the step that reaches `at`.
  void Follow(std::uint32_t at);

  std::vector<Node> nodes_;
  std::vector<LzxRepeated> repeated_;  // by position, once the position is reached for good
  std::vector<LzxStep> trace_;
};

}  // namespace codec
