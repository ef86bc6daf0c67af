#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <queue>
#include <random>
#include <vector>

#include "bits/code_lengths.h"

namespace codec {
namespace {

std::uint64_t Cost(const std::vector<std::uint32_t>& freq, const std::vector<std::uint8_t>& len) {
  std::uint64_t cost = 0;
  for (std::size_t i = 0; i < freq.size(); ++i)
    cost += std::uint64_t{freq[i]} * len[i];
  return cost;
}

// The cost of an unlimited Huffman code, by the textbook merging of the two lightest weights.
std::uint64_t HuffmanCost(const std::vector<std::uint32_t>& freq) {
  std::priority_queue<std::uint64_t, std::vector<std::uint64_t>, std::greater<>> heap;
  for (const std::uint32_t f : freq)
    if (f != 0) heap.push(f);
  std::uint64_t cost = 0;
  while (heap.size() > 1) {
    const std::uint64_t a = heap.top();
    heap.pop();
    const std::uint64_t b = heap.top();
    heap.pop();
    cost += a + b;
    heap.push(a + b);
  }
  return cost;
}

struct Case {
  const char* name;
  std::vector<std::uint32_t> frequencies;
  unsigned max_length;
};

std::vector<Case> Cases() {
  std::vector<Case> cases = {
      {"two symbols", {5, 0, 9}, 16},
      {"equal weights fill a balanced code", std::vector<std::uint32_t>(256, 7), 8},
      // Fibonacci weights want a 20-bit code: the limit binds.
      {"fibonacci limited to 7", {1, 1, 2, 3, 5, 8, 13, 21, 34, 55, 89, 144, 233, 377}, 7},
      {"fibonacci unlimited", {1, 1, 2, 3, 5, 8, 13, 21, 34, 55, 89, 144, 233, 377}, 16},
  };
  std::mt19937 random(7);
  std::vector<std::uint32_t> skewed(656);
  for (std::uint32_t& f : skewed)
    f = random() % 3 == 0 ? 0 : 1u << (random() % 20);
  cases.push_back({"a skewed main tree limited to 16", skewed, 16});
  return cases;
}

TEST(CodeLengthsTest, CodesAreCompleteWithinTheLimitAndNoDearerThanNeeded) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    std::vector<std::uint8_t> lengths(c.frequencies.size());
    BuildCodeLengths(c.frequencies, c.max_length, lengths);
    double kraft = 0;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
      EXPECT_EQ(lengths[i] == 0, c.frequencies[i] == 0) << "symbol " << i;
      EXPECT_LE(lengths[i], c.max_length);
      if (lengths[i] != 0) kraft += 1.0 / static_cast<double>(1u << lengths[i]);
    }
    EXPECT_DOUBLE_EQ(kraft, 1.0);
    // Limited codes cost at least the unlimited optimum; when the limit does not bind, exactly it.
    const unsigned longest = *std::max_element(lengths.begin(), lengths.end());
    EXPECT_GE(Cost(c.frequencies, lengths), HuffmanCost(c.frequencies));
    if (longest < c.max_length) {
      EXPECT_EQ(Cost(c.frequencies, lengths), HuffmanCost(c.frequencies));
    }
  }
}

TEST(CodeLengthsTest, ASingleSymbolStillGetsACodeAndCanonicalCodesFollowLengthThenSymbol) {
  std::vector<std::uint8_t> lengths(4);
  BuildCodeLengths(std::vector<std::uint32_t>{0, 0, 3, 0}, 16, lengths);
  EXPECT_EQ(lengths, (std::vector<std::uint8_t>{0, 0, 1, 0}));

  // Lengths 2, 1, 3, 3: codes 10, 0, 110, 111.
  std::vector<std::uint16_t> codes(4);
  CanonicalCodes(std::vector<std::uint8_t>{2, 1, 3, 3}, codes);
  EXPECT_EQ(codes, (std::vector<std::uint16_t>{0b10, 0b0, 0b110, 0b111}));
}

}  // namespace
}  // namespace codec
