// The cheapest parse of a stretch of bytes into literals and matches under a cost model: a forward
// pass over the positions, each relaxing the positions its literal and every length of its matches
// reach, then a walk back from the end. Exact over the steps the table offers (each length at the
// nearest distance that has it) for a model whose costs do not depend on the steps before.
//
// The model gives, in bits:
//   float Literal(std::uint8_t byte) const;
//   Part Distance(std::uint32_t distance) const;    // what a match's cost takes from its distance
//   float Match(Part part, std::uint32_t length) const;
//
// Memory: 12 bytes per position of the stretch.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "lz/binary_tree_finder.h"
#include "lz/match_table.h"

namespace codec::lz {

// A parse step: a match, or a literal (length 1, distance 0).
using Step = Match;

class ShortestPath {
 public:
  // Parses [from, to), a stretch the table covers, into `steps`; returns the parse's cost. No
  // match runs past `to`.
  template <typename Model>
  float Run(const MatchTable& table, std::span<const std::uint8_t> bytes, std::uint32_t from,
            std::uint32_t to, const Model& model, std::vector<Step>& steps);

 private:
  struct Node {
    float cost;
    std::uint32_t length;  // the step that reaches this position
    std::uint32_t distance;
  };
  void Trace(std::uint32_t count, std::vector<Step>& steps) const;

  std::vector<Node> nodes_;
};

template <typename Model>
float ShortestPath::Run(const MatchTable& table, std::span<const std::uint8_t> bytes,
                        std::uint32_t from, std::uint32_t to, const Model& model,
                        std::vector<Step>& steps) {
  const std::uint32_t count = to - from;
  nodes_.assign(std::size_t{count} + 1, {std::numeric_limits<float>::infinity(), 0, 0});
  nodes_[0].cost = 0;
  const std::uint32_t min_length = table.min_length();
  for (std::uint32_t i = 0; i < count; ++i) {
    const float here = nodes_[i].cost;
    const float literal = here + model.Literal(bytes[from + i]);
    if (literal < nodes_[i + 1].cost) nodes_[i + 1] = {literal, 1, 0};
    const std::uint32_t room = count - i;
    std::uint32_t shorter = min_length - 1;
    for (const Match& match : table.At(from + i)) {
      const std::uint32_t longest = std::min(match.length, room);
      if (longest <= shorter) break;
      const auto part = model.Distance(match.distance);
      for (std::uint32_t length = shorter + 1; length <= longest; ++length) {
        const float cost = here + model.Match(part, length);
        Node& target = nodes_[i + length];
        if (cost < target.cost) target = {cost, length, match.distance};
      }
      shorter = longest;
    }
  }
  Trace(count, steps);
  return nodes_[count].cost;
}

}  // namespace codec::lz
