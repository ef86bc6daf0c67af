// The dynamic block header: its tokens give the code lengths back, its size is what it writes, and
// on small cases it is the smallest any code-length code and any tokens can make.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "mszip/tree_header.h"

namespace codec_test {
namespace {

using codec::deflate::kCodeLengthOrder;
using codec::deflate::kCodeLengthSymbols;
using codec::deflate::TreeHeader;
using Lengths = std::vector<std::uint8_t>;

constexpr std::uint32_t kFieldBits = 5 + 5 + 4;
constexpr std::array<std::uint32_t, 3> kRepeatExtra = {2, 3, 7};  // 16, 17, 18
constexpr std::array<std::uint32_t, 3> kRepeatShortest = {3, 3, 11};
constexpr std::array<std::uint32_t, 3> kRepeatLongest = {6, 10, 138};

struct HeaderCase {
  std::string name;
  Lengths literal_length;  // 286
  Lengths distance;        // 30
};

// Lengths given as runs of (value, count).
Lengths FromRuns(std::initializer_list<std::pair<std::uint8_t, std::size_t>> runs) {
  Lengths lengths;
  for (const auto& [value, count] : runs)
    lengths.insert(lengths.end(), count, value);
  return lengths;
}

std::vector<HeaderCase> HeaderCases() {
  return {
      {"runs of every kind",
       FromRuns({{0, 32},
                 {8, 95},
                 {0, 34},
                 {9, 40},
                 {0, 55},
                 {9, 1},
                 {0, 3},
                 {8, 1},
                 {0, 22},
                 {9, 1},
                 {0, 2}}),
       FromRuns({{0, 2}, {9, 4}, {8, 4}, {0, 20}})},
      {"short runs, where single lengths may be cheaper",
       FromRuns({{3, 2},
                 {4, 1},
                 {3, 1},
                 {0, 2},
                 {4, 4},
                 {3, 3},
                 {0, 1},
                 {4, 7},
                 {0, 235},
                 {3, 1},
                 {0, 27},
                 {4, 1},
                 {0, 1}}),
       FromRuns({{4, 1}, {3, 2}, {0, 1}, {4, 1}, {0, 25}})},
      {"spare literal/length codes join the distances' leading zeros",
       FromRuns({{6, 100}, {7, 50}, {0, 100}, {7, 7}, {0, 9}, {6, 17}, {0, 3}}),
       FromRuns({{0, 2}, {6, 3}, {0, 25}})},
  };
}

// The lengths that the header's tokens give, and whether they are well formed: a 16 repeats the
// last length written, and never comes right after a 17 or 18 (where decoders disagree on what it
// repeats).
bool Decode(const TreeHeader& header, Lengths& sequence) {
  sequence.clear();
  bool after_zeros = true;
  for (const auto& token : header.tokens) {
    if (token.symbol < 16) {
      sequence.push_back(token.symbol);
      after_zeros = false;
      continue;
    }
    const std::size_t kind = token.symbol - 16u;
    const std::uint32_t count = kRepeatShortest[kind] + token.extra;
    if (count > kRepeatLongest[kind]) return false;
    if (kind == 0 && after_zeros) return false;
    const std::uint8_t value = kind == 0 ? sequence.back() : 0;
    sequence.insert(sequence.end(), count, value);
    after_zeros = kind != 0;
  }
  return true;
}

std::uint32_t CodeLengthCount(const std::array<std::uint8_t, kCodeLengthSymbols>& lengths) {
  std::uint32_t count = 4;
  for (std::uint32_t i = 0; i < kCodeLengthSymbols; ++i)
    if (lengths[kCodeLengthOrder[i]] != 0) count = std::max(count, i + 1);
  return count;
}

// The fewest bits for the tokens of `sequence` under the code-length code `lengths` (0: no code),
// each position reached either after a length or a 16 (where a 16 may follow) or not.
std::uint64_t CheapestTokens(const Lengths& sequence,
                             const std::array<std::uint8_t, kCodeLengthSymbols>& lengths) {
  constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max() / 2;
  std::vector<std::array<std::uint64_t, 2>> cost(1, {kNever, 0});
  cost.resize(sequence.size() + 1, {kNever, kNever});
  for (std::size_t i = 0; i < sequence.size(); ++i) {
    const std::uint64_t here = std::min(cost[i][0], cost[i][1]);
    if (lengths[sequence[i]] != 0)
      cost[i + 1][0] = std::min(cost[i + 1][0], here + lengths[sequence[i]]);
    for (std::size_t kind = 0; kind < 3; ++kind) {
      const std::uint8_t code = lengths[16 + kind];
      if (code == 0 || (kind == 0 && cost[i][0] == kNever)) continue;
      const std::uint8_t value = kind == 0 ? sequence[i - 1] : 0;
      const std::uint64_t from = kind == 0 ? cost[i][0] : here;
      for (std::size_t n = 1; n <= kRepeatLongest[kind] && i + n <= sequence.size(); ++n) {
        if (sequence[i + n - 1] != value) break;
        if (n < kRepeatShortest[kind]) continue;
        std::uint64_t& to = cost[i + n][kind == 0 ? 0 : 1];
        to = std::min(to, from + code + kRepeatExtra[kind]);
      }
    }
  }
  return std::min(cost.back()[0], cost.back()[1]);
}

// Every complete code-length code over the symbols the sequence could use, every number of
// listed literal/length codes: the least header size.
std::uint64_t BruteForceMinimum(const HeaderCase& c) {
  std::uint32_t literal_length_count = 257;
  for (std::uint32_t i = 0; i < 286; ++i)
    if (c.literal_length[i] != 0) literal_length_count = std::max(literal_length_count, i + 1);
  std::uint32_t distance_count = 1;
  for (std::uint32_t i = 0; i < 30; ++i)
    if (c.distance[i] != 0) distance_count = std::max(distance_count, i + 1);
  std::set<std::uint8_t> values(c.literal_length.begin(), c.literal_length.end());
  values.insert(c.distance.begin(), c.distance.end());
  std::vector<std::uint8_t> symbols(values.begin(), values.end());
  symbols.insert(symbols.end(), {16, 17, 18});

  std::vector<Lengths> sequences;
  for (std::uint32_t listed = literal_length_count; listed <= 286; ++listed) {
    Lengths sequence(c.literal_length.begin(), c.literal_length.begin() + listed);
    sequence.insert(sequence.end(), c.distance.begin(), c.distance.begin() + distance_count);
    sequences.push_back(sequence);
  }
  std::uint64_t best = std::numeric_limits<std::uint64_t>::max();
  std::array<std::uint8_t, kCodeLengthSymbols> code{};
  // Assigns lengths 0-7 to symbols[index...], `room` being what is left of the Kraft sum in
  // units of 2^-7.
  std::function<void(std::size_t, std::uint32_t)> assign = [&](std::size_t index,
                                                               std::uint32_t room) {
    if (index == symbols.size()) {
      if (room != 0) return;
      for (const Lengths& sequence : sequences) {
        const std::uint64_t tokens = CheapestTokens(sequence, code);
        best = std::min(best, kFieldBits + 3 * CodeLengthCount(code) + tokens);
      }
      return;
    }
    for (std::uint8_t length = 0; length <= 7; ++length) {
      const std::uint32_t take = length == 0 ? 0 : 1u << (7 - length);
      if (take > room) continue;
      code[symbols[index]] = length;
      assign(index + 1, room - take);
    }
    code[symbols[index]] = 0;
  };
  assign(0, 128);
  return best;
}

TEST(TreeHeaderTest, TokensGiveTheLengthsBackAndTheSizeIsWhatIsWritten) {
  for (const HeaderCase& c : HeaderCases()) {
    SCOPED_TRACE(c.name);
    const TreeHeader header = codec::deflate::EncodeTreeHeader(c.literal_length, c.distance);
    ASSERT_GE(header.literal_length_count, 257u);
    ASSERT_LE(header.literal_length_count, 286u);
    ASSERT_GE(header.distance_count, 1u);
    ASSERT_LE(header.distance_count, 30u);
    Lengths expected(c.literal_length.begin(),
                     c.literal_length.begin() + header.literal_length_count);
    expected.insert(expected.end(), c.distance.begin(), c.distance.begin() + header.distance_count);
    for (std::size_t i = header.literal_length_count; i < 286; ++i)
      ASSERT_EQ(c.literal_length[i], 0) << "unlisted literal/length code " << i;
    for (std::size_t i = header.distance_count; i < 30; ++i)
      ASSERT_EQ(c.distance[i], 0) << "unlisted distance code " << i;
    Lengths decoded;
    ASSERT_TRUE(Decode(header, decoded));
    EXPECT_EQ(decoded, expected);

    EXPECT_EQ(header.code_length_count, CodeLengthCount(header.code_length_lengths));
    std::uint32_t bits = kFieldBits + 3 * header.code_length_count;
    for (const auto& token : header.tokens) {
      ASSERT_NE(header.code_length_lengths[token.symbol], 0) << "a token without a code";
      bits += header.code_length_lengths[token.symbol];
      if (token.symbol >= 16) bits += kRepeatExtra[token.symbol - 16u];
    }
    EXPECT_EQ(header.bits, bits);
  }
}

TEST(TreeHeaderTest, IsTheSmallestHeaderOnSmallCases) {
  for (const HeaderCase& c : HeaderCases()) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(codec::deflate::EncodeTreeHeader(c.literal_length, c.distance).bits,
              BruteForceMinimum(c));
  }
}

}  // namespace
}  // namespace codec_test
