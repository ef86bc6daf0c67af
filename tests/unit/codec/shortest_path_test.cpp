// The shortest-path parse against an exhaustive one: every length at every distance.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <limits>
#include <vector>

#include "lz/binary_tree_finder.h"
#include "lz/match_table.h"
#include "lz/shortest_path.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

// Uneven costs, with a match never dearer for being nearer: taking only the nearest distance of
// each length then loses nothing.
struct ToyModel {
  float Literal(std::uint8_t byte) const { return 8.0F + static_cast<float>(byte % 3); }
  float Distance(std::uint32_t distance) const {
    return 2.0F + static_cast<float>(std::bit_width(distance));
  }
  float Match(float distance_cost, std::uint32_t length) const {
    return distance_cost + 5.0F + static_cast<float>(length % 4);
  }
};

constexpr std::uint32_t kMinLength = 3;
constexpr std::uint32_t kMaxLength = 20;

// The cheapest cost of [from, to) over every step there is.
float Exhaustive(const Bytes& data, std::uint32_t from, std::uint32_t to) {
  const ToyModel model;
  std::vector<float> cost(1, 0);
  cost.resize(to - from + 1, std::numeric_limits<float>::infinity());
  for (std::uint32_t i = from; i < to; ++i) {
    const float here = cost[i - from];
    cost[i - from + 1] = std::min(cost[i - from + 1], here + model.Literal(data[i]));
    for (std::uint32_t distance = 1; distance <= i; ++distance) {
      for (std::uint32_t length = 1; length <= kMaxLength && i + length <= to; ++length) {
        if (data[i + length - 1] != data[i + length - 1 - distance]) break;
        if (length < kMinLength) continue;
        const float step = here + model.Match(model.Distance(distance), length);
        cost[i - from + length] = std::min(cost[i - from + length], step);
      }
    }
  }
  return cost.back();
}

TEST(ShortestPathTest, FindsTheCheapestParseAndStepsThatRebuildTheBytes) {
  struct Case {
    const char* name;
    Bytes data;
    std::uint32_t from;
    std::uint32_t to;
  };
  const std::vector<Case> cases = {
      {"three letters", RandomBytes(500, 11, 3), 0, 500},
      {"a stretch after a history, ending before the bytes do", RandomBytes(600, 12, 2), 200, 520},
      {"text", Text(500, 13), 0, 500},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    codec::lz::BinaryTreeFinder finder({32768, kMinLength, kMaxLength, 100000, 15});
    finder.Reset(c.data);
    for (std::uint32_t position = 0; position < c.from; ++position)
      finder.Skip(position);
    codec::lz::MatchTable table;
    table.Collect(finder, c.from, c.to, kMaxLength + 1);
    codec::lz::ShortestPath path;
    std::vector<codec::lz::Step> steps;
    const float cost = path.Run(table, c.data, c.from, c.to, ToyModel{}, steps);
    EXPECT_FLOAT_EQ(cost, Exhaustive(c.data, c.from, c.to));

    Bytes rebuilt(c.data.begin(), c.data.begin() + c.from);
    for (const codec::lz::Step& step : steps) {
      if (step.distance == 0) {
        rebuilt.push_back(c.data[rebuilt.size()]);
      } else {
        ASSERT_GE(step.length, kMinLength);
        for (std::uint32_t i = 0; i < step.length; ++i)
          rebuilt.push_back(rebuilt[rebuilt.size() - step.distance]);
      }
    }
    EXPECT_EQ(rebuilt, Bytes(c.data.begin(), c.data.begin() + c.to));
  }
}

}  // namespace
}  // namespace codec_test
