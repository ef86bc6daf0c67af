// The LZX encoder's parse: the match table as the format lets matches be used, and the shortest
// path over it, whose steps must give the bytes, respect frames and the window, and cost what the
// parse says under the canonical coding of repeats.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "lz/binary_tree_finder.h"
#include "lzx/lzx_block_stats.h"
#include "lzx/lzx_cost_model.h"
#include "lzx/lzx_match_table.h"
#include "lzx/lzx_parser.h"
#include "support/lzx_streams.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

using codec::LzxMatchTable;
using codec::LzxStep;

constexpr std::uint32_t kFrame = codec::kLzxFrameSize;

codec::lz::FinderSettings ExactSettings(unsigned window_bits) {
  return {(1u << window_bits) - 3, 2, codec::kLzxMaxMatch, 100000, 16};
}

// The longest match at `position` that stays within the frame and the window, and the nearest
// distance of each length up to it (0: none).
std::vector<std::uint32_t> NearestByLength(const Bytes& data, std::uint32_t position,
                                           std::uint32_t max_distance) {
  const std::uint32_t frame_end = (position / kFrame + 1) * kFrame;
  const std::uint32_t limit = std::min({codec::kLzxMaxMatch, frame_end - position,
                                        static_cast<std::uint32_t>(data.size()) - position});
  std::vector<std::uint32_t> nearest(limit + 1, 0);
  for (std::uint32_t distance = 1; distance <= std::min(position, max_distance); ++distance) {
    std::uint32_t length = 0;
    while (length < limit && data[position + length] == data[position - distance + length])
      ++length;
    for (std::uint32_t l = 2; l <= length; ++l)
      if (nearest[l] == 0) nearest[l] = distance;
  }
  while (nearest.size() > 2 && nearest.back() == 0)
    nearest.pop_back();
  return nearest;
}

TEST(LzxMatchTableTest, MatchesEndAtTheirFrameEachTheNearestOfItsLength) {
  // Four letters: many matches of many lengths, around the end of the first frame.
  const Bytes data = RandomBytes(kFrame + 3000, 1, 4);
  codec::lz::BinaryTreeFinder finder(ExactSettings(15));
  finder.Reset(data);
  constexpr std::uint32_t kFrom = kFrame - 3000;
  for (std::uint32_t position = 0; position < kFrom; ++position)
    finder.Skip(position);
  LzxMatchTable table;
  table.Collect(finder, kFrom, static_cast<std::uint32_t>(data.size()), codec::kLzxMaxMatch);
  for (std::uint32_t position = kFrom; position < data.size(); ++position) {
    const auto entries = table.At(position);
    const std::vector<std::uint32_t> nearest = NearestByLength(data, position, (1u << 15) - 3);
    ASSERT_LE(entries.size(), LzxMatchTable::kMostMatches) << position;
    if (nearest.size() <= 2) {
      ASSERT_TRUE(entries.empty()) << position;
      continue;
    }
    // The longest is there, and every length from the shortest kept goes with its nearest
    // distance.
    ASSERT_FALSE(entries.empty()) << position;
    ASSERT_EQ(entries.back().length(), nearest.size() - 1) << position;
    std::size_t entry = 0;
    for (std::uint32_t length = entries.front().length(); length < nearest.size(); ++length) {
      while (entries[entry].length() < length)
        ++entry;
      ASSERT_EQ(entries[entry].distance(), nearest[length]) << position << " length " << length;
    }
  }
}

TEST(LzxMatchTableTest, TakesALongMatchWholeUpToTheFrameEnd) {
  // A run of zeros from 40 bytes before the first frame's end: the match at its second byte runs
  // to the frame's end and covers the positions up to it; the next frame is searched again.
  Bytes data = RandomBytes(kFrame + 600, 2);
  std::fill(data.begin() + kFrame - 40, data.end(), 0);
  codec::lz::BinaryTreeFinder finder(ExactSettings(16));
  finder.Reset(data);
  LzxMatchTable table;
  table.Collect(finder, 0, static_cast<std::uint32_t>(data.size()), 30);
  const std::uint32_t start = kFrame - 39;
  ASSERT_EQ(table.At(start).size(), 1u);
  EXPECT_EQ(table.At(start)[0].length(), 39u);
  EXPECT_EQ(table.At(start)[0].distance(), 1u);
  for (std::uint32_t covered = start + 1; covered < kFrame; ++covered)
    ASSERT_TRUE(table.At(covered).empty()) << covered;
  ASSERT_FALSE(table.At(kFrame).empty());
  EXPECT_EQ(table.At(kFrame).back().length(), codec::kLzxMaxMatch);
}

// The parse's cost recomputed step by step: repeats coded as the first repeated offset holding
// their distance, the offsets following the steps.
float CostOf(const std::vector<LzxStep>& steps, const Bytes& data, std::uint32_t from,
             const codec::LzxCostModel& model, codec::LzxRepeated repeated) {
  double cost = 0;
  std::uint32_t at = from;
  for (const LzxStep& step : steps) {
    if (step.distance == 0) {
      cost += model.Literal(data[at]);
    } else {
      const std::uint32_t offset = codec::FormattedOffset(repeated, step.distance);
      cost += model.Match(codec::LzxSlotOf(offset), step.length);
      if (offset >= codec::kLzxRepeatedOffsets) cost += model.Offset(offset);
      codec::UpdateRepeated(repeated, offset);
    }
    at += step.length;
  }
  return static_cast<float>(cost);
}

TEST(LzxParserTest, StepsGiveTheBytesWithinFramesAndWindowAtTheCostTheParseSays) {
  const Bytes unit = RandomBytes(700, 3);
  const struct {
    const char* name;
    Bytes data;
    codec::LzxBlockType type;
    bool mostly_repeats;
  } cases[] = {
      {"text", Text(100000, 4), codec::LzxBlockType::kVerbatim, false},
      {"binary, aligned costs", BinaryLike(100000, 5), codec::LzxBlockType::kAligned, false},
      {"zeros across frames", Bytes(100000, 0), codec::LzxBlockType::kVerbatim, true},
      {"a 700-byte period", Repeat(std::string(unit.begin(), unit.end()), 100000),
       codec::LzxBlockType::kVerbatim, true},
  };
  constexpr unsigned kWindowBits = 16;
  constexpr std::uint32_t kFrom = 1000;  // parsed after a stretch already in the window
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto to = static_cast<std::uint32_t>(c.data.size());
    codec::lz::BinaryTreeFinder finder(ExactSettings(kWindowBits));
    finder.Reset(c.data);
    for (std::uint32_t position = 0; position < kFrom; ++position)
      finder.Skip(position);
    LzxMatchTable table;
    table.Collect(finder, kFrom, to, codec::kLzxMaxMatch);
    codec::LzxRepeated first_repeated = codec::kLzxInitialRepeated;
    codec::LzxBlockStats stats;
    stats.Add(GreedyTokens(c.data, kFrom, to, kWindowBits, first_repeated));
    const codec::LzxCostModel model(stats.counts, c.type, kWindowBits);

    const codec::LzxRepeated before = {5, 0, 0};
    codec::LzxRepeated after = before;
    std::vector<LzxStep> steps;
    codec::LzxParser parser;
    const float cost =
        parser.Run(table, c.data, kFrom, to, model, codec::kLzxMaxMatch, after, steps);

    std::uint32_t at = kFrom;
    std::size_t repeats = 0;
    std::size_t matches = 0;
    codec::LzxRepeated repeated = before;
    for (const LzxStep& step : steps) {
      if (step.distance != 0) {
        ASSERT_GE(step.length, codec::kLzxMinMatch);
        ASSERT_LE(step.length, codec::kLzxMaxMatch);
        ASSERT_LE(step.distance, std::min(at, (1u << kWindowBits) - 3));
        ASSERT_EQ(at / kFrame, (at + step.length - 1) / kFrame) << "crosses a frame at " << at;
        ASSERT_TRUE(std::equal(c.data.begin() + at, c.data.begin() + at + step.length,
                               c.data.begin() + at - step.distance))
            << at;
        const std::uint32_t offset = codec::FormattedOffset(repeated, step.distance);
        repeats += offset < codec::kLzxRepeatedOffsets ? 1 : 0;
        ++matches;
        codec::UpdateRepeated(repeated, offset);
      }
      at += step.length;
    }
    EXPECT_EQ(at, to);
    EXPECT_EQ(after, repeated);
    EXPECT_NEAR(cost, CostOf(steps, c.data, kFrom, model, before), 1e-4 * cost);
    if (c.mostly_repeats) {
      EXPECT_GT(repeats, matches * 9 / 10);
    }
  }
}

}  // namespace
}  // namespace codec_test
