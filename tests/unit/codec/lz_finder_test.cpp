// The LZ match finder against a brute-force search, and the match table's handling of long
// matches.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lz/binary_tree_finder.h"
#include "lz/match_table.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

using codec::lz::BinaryTreeFinder;
using codec::lz::FinderSettings;
using codec::lz::Match;

// For every length from the shortest allowed to the longest available, the nearest distance at
// which a match of at least that length starts (0: none).
std::vector<std::uint32_t> NearestByLength(const Bytes& data, std::uint32_t position,
                                           const FinderSettings& settings) {
  const std::uint32_t limit = std::min<std::uint32_t>(
      settings.max_length, static_cast<std::uint32_t>(data.size()) - position);
  std::vector<std::uint32_t> nearest(limit + 1, 0);
  for (std::uint32_t distance = 1; distance <= std::min(position, settings.max_distance);
       ++distance) {
    std::uint32_t length = 0;
    while (length < limit && data[position + length] == data[position - distance + length])
      ++length;
    for (std::uint32_t l = settings.min_length; l <= length; ++l)
      if (nearest[l] == 0) nearest[l] = distance;
  }
  return nearest;
}

struct FinderCase {
  std::string name;
  Bytes data;
  FinderSettings settings;
  std::uint32_t skipped = 0;  // positions put in the window with Skip() before the searches
};

std::vector<FinderCase> FinderCases() {
  // A depth larger than any tree makes the search exact.
  FinderSettings deflate{32768, 3, 258, 100000, 15};
  FinderSettings pairs{32768, 2, 257, 100000, 15};
  FinderSettings narrow{100, 3, 12, 100000, 10};
  Bytes runs = Repeat("aaaaaaaaaaaaaaaaaaaabaaaaaaaaaaaaaaaaaaaaaaaaaaaab", 900);
  return {
      {"two letters, DEFLATE's lengths", RandomBytes(3000, 1, 2), deflate, 0},
      {"four letters after a skipped history", RandomBytes(4000, 2, 4), deflate, 1500},
      {"pairs wanted (2-byte matches)", RandomBytes(3000, 3, 8), pairs, 0},
      {"a window of 100 bytes, matches of 12 at most", RandomBytes(3000, 4, 3), narrow, 0},
      {"long runs", runs, deflate, 0},
      {"text", Text(3000, 5), deflate, 700},
  };
}

TEST(BinaryTreeFinderTest, GivesTheNearestMatchOfEveryLengthUpToTheLongest) {
  for (const FinderCase& c : FinderCases()) {
    SCOPED_TRACE(c.name);
    BinaryTreeFinder finder(c.settings);
    finder.Reset(c.data);
    std::vector<Match> found(finder.max_matches());
    for (std::uint32_t position = 0; position < c.data.size(); ++position) {
      if (position < c.skipped) {
        finder.Skip(position);
        continue;
      }
      const std::size_t count = finder.Find(position, found);
      const std::vector<std::uint32_t> nearest = NearestByLength(c.data, position, c.settings);
      std::uint32_t length = c.settings.min_length;
      for (std::size_t i = 0; i < count; ++i) {
        for (; length <= found[i].length; ++length)
          ASSERT_EQ(found[i].distance, nearest[length])
              << "position " << position << " length " << length;
      }
      // Nothing longer was missed.
      ASSERT_TRUE(length >= nearest.size() || nearest[length] == 0) << "position " << position;
    }
  }
}

TEST(BinaryTreeFinderTest, ADepthCapStillGivesTrueMatchesByIncreasingLength) {
  const Bytes data = RandomBytes(20000, 6, 2);
  BinaryTreeFinder finder({32768, 3, 258, 4, 15});
  finder.Reset(data);
  std::vector<Match> found(finder.max_matches());
  for (std::uint32_t position = 0; position < data.size(); ++position) {
    const std::size_t count = finder.Find(position, found);
    ASSERT_LE(count, 5u);
    for (std::size_t i = 0; i < count; ++i) {
      ASSERT_TRUE(i == 0 || found[i].length > found[i - 1].length);
      ASSERT_TRUE(std::equal(data.begin() + position, data.begin() + position + found[i].length,
                             data.begin() + position - found[i].distance));
    }
  }
}

// An encoder that slides its buffer under the finder, and shows it the bytes a stretch at a time
// and max_length more (kLookahead), finds true matches, and what a finder over one buffer finds.
TEST(BinaryTreeFinderTest, ContinuingOverASlidBufferChangesNoMatch) {
  const Bytes data = Concatenate({Text(6000, 8), RandomBytes(3000, 9, 4), Text(5000, 10)});
  const FinderSettings settings{1000, 2, 40, 16, 12};
  constexpr std::uint32_t kLookahead = 40;
  BinaryTreeFinder whole(settings);
  BinaryTreeFinder sliding(settings);
  ASSERT_EQ(sliding.slots(), 1024u);
  constexpr std::uint32_t kStretch = 700;
  whole.Reset({});
  sliding.Reset({});
  std::uint32_t base = 0;  // where the sliding buffer starts in the data
  std::vector<Match> expected(whole.max_matches());
  std::vector<Match> found(sliding.max_matches());
  const auto size = static_cast<std::uint32_t>(data.size());
  for (std::uint32_t from = 0; from < size; from += kStretch) {
    const std::uint32_t to = std::min(from + kStretch, size);
    const std::uint32_t seen = std::min(to + kLookahead, size);
    std::uint32_t shift = 0;
    while (from - (base + shift) >= 2 * sliding.slots())
      shift += sliding.slots();
    base += shift;
    const Bytes buffer(data.begin() + base, data.begin() + seen);
    whole.Continue(std::span(data).first(seen), 0);
    sliding.Continue(buffer, shift);
    for (std::uint32_t position = from; position < to; ++position) {
      const std::size_t count = whole.Find(position, expected);
      ASSERT_EQ(sliding.Find(position - base, found), count) << position;
      for (std::size_t i = 0; i < count; ++i) {
        ASSERT_EQ(found[i].length, expected[i].length) << position;
        ASSERT_EQ(found[i].distance, expected[i].distance) << position;
        ASSERT_TRUE(std::equal(data.begin() + position, data.begin() + position + found[i].length,
                               data.begin() + position - found[i].distance))
            << position;
      }
    }
  }
  EXPECT_GT(base, 0u);
}

TEST(MatchTableTest, TakesALongMatchWholeAndSkipsTheSearchesItCovers) {
  // 300 random bytes, then the same again: at 300 a match of 258 (the cap) starts.
  Bytes data = RandomBytes(300, 7);
  data.insert(data.end(), data.begin(), data.end());
  BinaryTreeFinder finder({32768, 3, 258, 32, 15});
  finder.Reset(data);
  codec::lz::MatchTable table;
  table.Collect(finder, 0, static_cast<std::uint32_t>(data.size()), 258);
  ASSERT_EQ(table.At(300).size(), 1u);
  EXPECT_EQ(table.At(300)[0].length, 258u);
  EXPECT_EQ(table.At(300)[0].distance, 300u);
  for (std::uint32_t covered = 301; covered < 558; ++covered)
    ASSERT_TRUE(table.At(covered).empty()) << covered;
  // The rest of the copy is searched again, and found.
  ASSERT_FALSE(table.At(558).empty());
  EXPECT_EQ(table.At(558).back().distance, 300u);
  EXPECT_EQ(table.At(558).back().length, 42u);
}

}  // namespace
}  // namespace codec_test
