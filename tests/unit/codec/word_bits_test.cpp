// The LZX bit stream: 16-bit little-endian words read from their top bit, plain bytes between
// them, the padding rules, and what reading past the end gives.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "bits/word_bit_reader.h"
#include "bits/word_bit_writer.h"

namespace codec {
namespace {

TEST(WordBitsTest, WordsAreLittleEndianAndReadFromTheirTopBit) {
  WordBitWriter writer;
  writer.Put(0b101, 3);
  writer.Put(0x1FFF, 13);
  writer.Put(0x12345678, 32);
  EXPECT_EQ(writer.bytes(), (std::vector<std::uint8_t>{0xFF, 0xBF, 0x34, 0x12, 0x78, 0x56}));
  WordBitReader reader(writer.bytes());
  EXPECT_EQ(reader.Bits(3), 0b101u);
  EXPECT_EQ(reader.Bits(13), 0x1FFFu);
  EXPECT_EQ(reader.Bits(32), 0x12345678u);
  EXPECT_EQ(reader.Bits(0), 0u);
  EXPECT_FALSE(reader.overrun());
  EXPECT_EQ(reader.bytes_left(), 0u);
  reader.Bits(1);
  EXPECT_TRUE(reader.overrun());
}

// Random runs of bits, word padding of both kinds and plain bytes (odd counts too), read back.
TEST(WordBitsTest, BitsAndPlainBytesReadBackAsWritten) {
  std::mt19937 random(61);
  for (int trial = 0; trial < 200; ++trial) {
    struct Item {
      int kind;  // 0 bits, 1 align, 2 pad to next word, 3 plain bytes
      std::uint32_t value;
      unsigned count;
      std::vector<std::uint8_t> bytes;
    };
    std::vector<Item> items;
    WordBitWriter writer;
    for (int i = 0; i < 40; ++i) {
      Item item{static_cast<int>(random() % 4),
                static_cast<std::uint32_t>(random()),
                static_cast<unsigned>(random() % 33),
                {}};
      if (item.kind == 0) {
        if (item.count < 32) item.value &= (1u << item.count) - 1;
        writer.Put(item.value, item.count);
      } else if (item.kind == 1) {
        writer.AlignToWord();
      } else if (item.kind == 2) {
        writer.PadToNextWord();
      } else {
        writer.AlignToWord();
        item.bytes.resize(random() % 5);
        for (std::uint8_t& byte : item.bytes)
          byte = static_cast<std::uint8_t>(random());
        writer.PutBytes(item.bytes);
      }
      items.push_back(item);
    }
    writer.AlignToWord();
    WordBitReader reader(writer.bytes());
    for (const Item& item : items) {
      if (item.kind == 0) {
        ASSERT_EQ(reader.Bits(item.count), item.value);
      } else if (item.kind == 1) {
        reader.AlignToWord();
      } else if (item.kind == 2) {
        reader.SkipToNextWord();
      } else {
        reader.AlignToWord();
        const std::span<const std::uint8_t> bytes = reader.TakeBytes(item.bytes.size());
        ASSERT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), item.bytes);
      }
    }
    reader.AlignToWord();
    EXPECT_FALSE(reader.overrun());
    EXPECT_EQ(reader.bytes_left(), 0u);
  }
}

// A lone last byte cannot be read as bits: its missing partner comes first in the word.
TEST(WordBitsTest, ALoneLastByteReadsAsMissing) {
  WordBitWriter writer;
  writer.Put(0x1234, 16);
  writer.PutBytes(std::vector<std::uint8_t>{0xFF});
  const std::vector<std::uint8_t>& bytes = writer.bytes();
  WordBitReader reader(bytes);
  EXPECT_EQ(reader.Bits(16), 0x1234u);
  EXPECT_EQ(reader.bytes_left(), 1u);
  EXPECT_EQ(reader.Bits(1), 0u);
  EXPECT_TRUE(reader.overrun());
  WordBitReader plain(bytes);
  plain.Bits(16);
  EXPECT_EQ(plain.TakeBytes(4).size(), 1u);  // as a plain byte, it is there
  EXPECT_FALSE(plain.overrun());
}

}  // namespace
}  // namespace codec
