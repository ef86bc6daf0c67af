// The table-driven Huffman decoder and the rules on which codes it takes, over the LZX bit
// reader: random codes of every size, long codes through the secondary tables, missing codes.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "bits/code_lengths.h"
#include "bits/huffman_table.h"
#include "bits/word_bit_reader.h"
#include "bits/word_bit_writer.h"

namespace codec {
namespace {

using Lengths = std::vector<std::uint8_t>;

TEST(HuffmanTableTest, DecodesWhatCanonicalCodesWrite) {
  std::mt19937 random(51);
  for (const std::size_t symbols : {2u, 20u, 249u, 656u}) {
    for (const unsigned limit : {7u, 11u, 16u}) {
      if ((1u << limit) < symbols) continue;
      SCOPED_TRACE(std::to_string(symbols) + " symbols within " + std::to_string(limit));
      // Steep frequencies, so that codes run to the limit and past the primary table.
      std::vector<std::uint32_t> frequencies(symbols);
      for (std::uint32_t& f : frequencies)
        f = 1u << (random() % 20);
      Lengths lengths(symbols);
      BuildCodeLengths(frequencies, limit, lengths);
      std::vector<std::uint16_t> codes(symbols);
      CanonicalCodes(lengths, codes);
      HuffmanTable<656, 10> table;
      ASSERT_TRUE(table.Build(lengths, IncompleteCodes::kNone));
      std::vector<int> sent;
      WordBitWriter writer;
      for (int i = 0; i < 5000; ++i) {
        const auto symbol = static_cast<std::size_t>(random() % symbols);
        sent.push_back(static_cast<int>(symbol));
        writer.Put(codes[symbol], lengths[symbol]);
      }
      writer.AlignToWord();
      WordBitReader reader(writer.bytes());
      for (const int symbol : sent)
        ASSERT_EQ(table.Decode(reader), symbol);
      EXPECT_FALSE(reader.overrun());
    }
  }
}

TEST(HuffmanTableTest, TakesTheCodesItsRuleAllows) {
  const struct {
    const char* shape;
    Lengths lengths;
    bool none;
    bool empty;
    bool empty_or_single;
  } cases[] = {
      {"complete", {1, 2, 3, 3}, true, true, true},
      {"complete, to 16 bits",
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 16},
       true,
       true,
       true},
      {"no code", {0, 0, 0}, false, true, true},
      {"one code", {0, 1, 0}, false, false, true},
      {"one long code", {0, 0, 16}, false, false, true},
      {"two codes with room left", {1, 2, 0}, false, false, false},
      {"over-subscribed", {1, 1, 1}, false, false, false},
      {"a code of 17 bits",
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 17},
       false,
       false,
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shape);
    HuffmanTable<20, 6> table;
    EXPECT_EQ(table.Build(c.lengths, IncompleteCodes::kNone), c.none);
    EXPECT_EQ(table.Build(c.lengths, IncompleteCodes::kEmpty), c.empty);
    EXPECT_EQ(table.Build(c.lengths, IncompleteCodes::kEmptyOrSingle), c.empty_or_single);
  }
  HuffmanTable<2, 6> small;
  EXPECT_FALSE(small.Build(Lengths{1, 2, 2}, IncompleteCodes::kNone));
}

// A missing code reads as -1 after 16 bits, as a bit-by-bit search would have read them.
TEST(HuffmanTableTest, MissingCodesFail) {
  HuffmanTable<20, 6> single;
  ASSERT_TRUE(single.Build(Lengths{0, 0, 0, 0, 0, 0, 0, 12}, IncompleteCodes::kEmptyOrSingle));
  HuffmanTable<20, 6> empty;
  ASSERT_TRUE(empty.Build(Lengths(20, 0), IncompleteCodes::kEmpty));
  WordBitWriter writer;
  writer.Put(0, 12);  // symbol 7's code
  writer.Put(1, 12);  // a missing one
  writer.Put(0xABCD, 16);
  writer.AlignToWord();
  WordBitReader reader(writer.bytes());
  EXPECT_EQ(single.Decode(reader), 7);
  EXPECT_EQ(single.Decode(reader), -1);
  EXPECT_EQ(reader.Bits(8), 0xBCu);  // 16 bits were consumed
  WordBitReader again(writer.bytes());
  EXPECT_EQ(empty.Decode(again), -1);
  EXPECT_EQ(again.Bits(8), 0x01u);
}

TEST(CodeLengthsTest, ALoneSymbolGetsAPartnerWhenTheCodeMustBeComplete) {
  const struct {
    std::vector<std::uint32_t> frequencies;
    Lengths expected;
  } cases[] = {
      {{0, 0, 5, 0}, {1, 0, 1, 0}},
      {{5, 0, 0}, {1, 1, 0}},
      {{0, 0, 0}, {0, 0, 0}},
      {{3, 1, 1}, {1, 2, 2}},
  };
  for (const auto& c : cases) {
    Lengths lengths(c.frequencies.size());
    BuildCompleteCodeLengths(c.frequencies, 16, lengths);
    EXPECT_EQ(lengths, c.expected);
  }
}

}  // namespace
}  // namespace codec
