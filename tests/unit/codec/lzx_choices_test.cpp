// What the LZX encoder chooses by cost: each block's type, its trees, and an uncompressed block
// where a frame would come out larger than a data block may be.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "lzx/lzx_block_choice.h"
#include "lzx/lzx_emitter.h"
#include "support/lzx_encoding.h"
#include "support/lzx_streams.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

using codec::LzxBlockType;

constexpr unsigned kWindow = 17;
// An uncompressed block's header word, its repeated offsets and the padding byte of an odd size.
constexpr std::size_t kUncompressedOverhead = 4 + 12 + 1;

// The first block's type: the three bits after the translation flag, at the top of the first
// little-endian word.
LzxBlockType FirstBlockType(const std::vector<CraftedBlock>& blocks) {
  return static_cast<LzxBlockType>((blocks.at(0).coded.at(1) >> 4) & 7);
}

// Records of 8 bytes, one in eight new (letters, worth compressing), the others copies of one of
// the last 500: from the start, most matches are 8 bytes at a distance that is a multiple of 8,
// whose low three bits an aligned block codes in one bit rather than three.
Bytes EightByteRecords(std::size_t size, std::uint32_t seed) {
  constexpr std::size_t kRecord = 8;
  std::mt19937 rng(seed);
  Bytes out;
  while (out.size() < size) {
    const std::size_t records = out.size() / kRecord;
    if (records < 8 || rng() % 8 == 0) {
      for (std::size_t i = 0; i < kRecord; ++i)
        out.push_back(static_cast<std::uint8_t>('a' + rng() % 16));
    } else {
      const std::size_t back = 1 + rng() % std::min<std::size_t>(records, 500);
      const std::size_t from = (records - back) * kRecord;
      for (std::size_t i = 0; i < kRecord; ++i) {
        const std::uint8_t copied = out[from + i];
        out.push_back(copied);
      }
    }
  }
  out.resize(size);
  return out;
}

TEST(LzxChoicesTest, EachBlockTypeWhereItIsSmallest) {
  const struct {
    const char* name;
    Bytes data;
    LzxBlockType first;
    std::size_t largest;  // the most the folder may take
  } cases[] = {
      // Incompressible: one block as it is, its header and framing only.
      {"random", RandomBytes(100001, 41), LzxBlockType::kUncompressed,
       100001 + kUncompressedOverhead},
      {"text", Text(100000, 42), LzxBlockType::kVerbatim, 100000 / 3},
      {"8-byte records", EightByteRecords(100000, 43), LzxBlockType::kAligned, 100000 / 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<CraftedBlock> blocks = EncodeLzx(c.data, kWindow);
    EXPECT_EQ(FirstBlockType(blocks), c.first);
    EXPECT_LE(CodedSize(blocks), c.largest);
    EXPECT_EQ(DecodeLzxFolder(blocks, kWindow), c.data);
  }
}

// Random bytes after text are cut off into an uncompressed block: the folder takes no more than
// the text alone and the random bytes stored.
TEST(LzxChoicesTest, BlocksEndWhereTheStatisticsChange) {
  const Bytes text = Text(150000, 51);
  const Bytes random = RandomBytes(90000, 52);
  const std::size_t text_alone = CodedSize(EncodeLzx(text, kWindow));
  const std::vector<CraftedBlock> blocks = EncodeLzx(Concatenate({text, random}), kWindow);
  EXPECT_LE(CodedSize(blocks), text_alone + random.size() + kUncompressedOverhead + 64);
  EXPECT_EQ(DecodeLzxFolder(blocks, kWindow), Concatenate({text, random}));
}

codec::LzxBlockStats StatsOf(const Bytes& data) {
  codec::LzxRepeated repeated = codec::kLzxInitialRepeated;
  codec::LzxBlockStats stats;
  stats.Add(GreedyTokens(data, 0, data.size(), kWindow, repeated));
  return stats;
}

// Previous trees that code every symbol of a block are kept when they code it nearly as well:
// unchanged lengths cost few bits to send again where a block uses most symbols, as binary data
// does. When they code it badly, or the block uses few symbols (text, whose unused symbols cost
// little to send), the block gets trees of its own.
TEST(LzxChoicesTest, TreesAreKeptWhenSendingNewOnesCostsMore) {
  const codec::LzxBlockStats text = StatsOf(Text(20000, 61));
  const codec::LzxBlockStats binary = StatsOf(BinaryLike(40000, 62));
  // Trees for much binary data and a little text: both blocks' symbols have codes.
  codec::LzxBlockStats mostly_binary = text;
  for (int i = 0; i < 200; ++i)
    mostly_binary.Add(binary);
  const codec::LzxTreeLengths previous = codec::BuildLzxTrees(mostly_binary.counts, kWindow);
  const struct {
    const char* name;
    const codec::LzxBlockStats& stats;
    bool kept;
  } cases[] = {
      {"the binary data", binary, true},
      {"the text", text, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const codec::LzxBlockChoice choice = codec::ChooseLzxBlock(c.stats, previous, kWindow);
    ASSERT_NE(choice.type, LzxBlockType::kUncompressed);
    EXPECT_EQ(choice.lengths.main == previous.main && choice.lengths.length == previous.length,
              c.kept);
    // Whichever it keeps, it is never worse than trees built for the block.
    const codec::LzxTreeLengths built = codec::BuildLzxTrees(c.stats.counts, kWindow);
    EXPECT_LE(choice.bits, codec::LzxBlockHeaderBits(choice.type, previous, built, kWindow) +
                               codec::LzxDataBits(c.stats, choice.type, built));
  }
}

// Trees fitted to seven frames of sixteen letters give the other bytes long codes: a last frame of
// random bytes would come out above a data block's limit, so the block goes uncompressed.
TEST(LzxChoicesTest, AFrameTooLargeForItsDataBlockGoesUncompressed) {
  Bytes data;
  std::mt19937 rng(71);
  for (std::size_t i = 0; i < 7 * codec::kLzxFrameSize; ++i)
    data.push_back(static_cast<std::uint8_t>('a' + rng() % 16));
  const Bytes random = RandomBytes(codec::kLzxFrameSize, 72);
  data.insert(data.end(), random.begin(), random.end());
  const std::vector<codec::LzxStep> literals(data.size());

  CollectedBlocks sink;
  codec::LzxEmitter emitter(sink, kWindow, std::nullopt);
  ASSERT_EQ(emitter.Emit(literals, data), codec::Error::kOk);
  ASSERT_EQ(emitter.Finish(), codec::Error::kOk);
  for (const CraftedBlock& block : sink.blocks)
    EXPECT_LE(block.coded.size(), codec::kMaxBlockInput);
  EXPECT_EQ(FirstBlockType(sink.blocks), LzxBlockType::kUncompressed);
  EXPECT_EQ(DecodeLzxFolder(sink.blocks, kWindow), data);
}

}  // namespace
}  // namespace codec_test
