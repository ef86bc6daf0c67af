// The parse of a DEFLATE block's bytes for its smallest size. A dynamic block's code depends on the
// parse and the parse's costs on the code, so the parser alternates: a shortest path under costs
// taken from the parse before, then the best code for that path, and keeps the cheapest block seen
// (exact size, header included). A fixed block's costs never change: one shortest path is exact.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "lz/match_table.h"
#include "lz/shortest_path.h"
#include "mszip/cost_model.h"
#include "mszip/deflate_block.h"

namespace codec::deflate {

class BlockParser {
 public:
  // The cheapest dynamic block found for positions [from, to) of `bytes` in `rounds` parses, the
  // first under `first`.
  Block Dynamic(const lz::MatchTable& table, std::span<const std::uint8_t> bytes,
                std::uint32_t from, std::uint32_t to, const CostModel& first, int rounds);
  Block Fixed(const lz::MatchTable& table, std::span<const std::uint8_t> bytes, std::uint32_t from,
              std::uint32_t to);

 private:
  lz::ShortestPath path_;
  std::vector<lz::Step> steps_;
};

}  // namespace codec::deflate
