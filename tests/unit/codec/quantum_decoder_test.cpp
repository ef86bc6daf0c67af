// What the Quantum decoder refuses, each case beside the verdicts of the two independent decoders,
// which settle what a frame may and may not hold.
#include <gtest/gtest.h>

#include <functional>

#include "cab/cabinet_format.h"
#include "quantum/quantum_decoder.h"
#include "support/crafted_cabinet.h"
#include "support/folder_decoding.h"
#include "support/oracles.h"
#include "support/quantum_writer.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

using codec::Error;
using codec::QuantumDecoder;

constexpr unsigned kWindowBits = 16;
constexpr unsigned kLevel = 3;

std::vector<CraftedBlock> TextBlocks() {
  return QuantumBlocks(GreedyQuantumTokens(Text(70000, 5), kWindowBits), kWindowBits);
}

Error DecodeError(const std::vector<CraftedBlock>& blocks) {
  const auto decoder = QuantumDecoder::Create(kLevel, kWindowBits);
  return DecodeFolder(*decoder, blocks).error;
}

bool OracleAccepts(Oracle oracle, const std::vector<CraftedBlock>& blocks) {
  return ExtractWith(oracle,
                     SingleFileCabinet("q.bin", codec::QuantumType(kLevel, kWindowBits), blocks))
      .has_value();
}

TEST(QuantumDecoderTest, ExistsForTheFormatsLevelsAndWindowsOnly) {
  const struct {
    unsigned level;
    unsigned window_bits;
    bool exists;
  } cases[] = {{1, 10, true},  {7, 21, true}, {4, 15, true}, {0, 15, false},
               {8, 15, false}, {4, 9, false}, {4, 22, false}};
  for (const auto& test : cases) {
    SCOPED_TRACE(testing::Message()
                 << "level " << test.level << ", window bits " << test.window_bits);
    EXPECT_EQ(QuantumDecoder::Create(test.level, test.window_bits) != nullptr, test.exists);
  }
}

// Damage that a frame's symbols or its length show. 7-Zip refuses them all; cabextract reads zeros
// where a match reaches before the first byte or the last frame reads past its block.
TEST(QuantumDecoderTest, RefusesDamagedFrames) {
  std::vector<QuantumToken> across_frames(32760, Literal('x'));
  across_frames.push_back(Match(20, 1));
  across_frames.push_back(Literal('y'));
  const struct {
    const char* name;
    std::vector<CraftedBlock> blocks;
    bool cabextract_refuses;
  } cases[] = {
      {"the last block cut short",
       [] {
         auto blocks = TextBlocks();
         blocks.back().coded.resize(blocks.back().coded.size() - 2);
         return blocks;
       }(),
       false},
      {"a block cut short before the next",
       [] {
         auto blocks = TextBlocks();
         blocks.front().coded.resize(blocks.front().coded.size() - 2);
         return blocks;
       }(),
       true},
      {"an empty block",
       [] {
         auto blocks = TextBlocks();
         blocks[1].coded.clear();
         return blocks;
       }(),
       true},
      {"a match across a frame's end", QuantumBlocks(across_frames, kWindowBits), true},
      {"a match reaching before the folder's first byte",
       QuantumBlocks(std::vector{Literal('a'), Literal('b'), Match(3, 3)}, kWindowBits), false},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    EXPECT_EQ(DecodeError(test.blocks), Error::kCorruptData);
    EXPECT_FALSE(OracleAccepts(Oracle::kSevenZip, test.blocks));
    EXPECT_EQ(OracleAccepts(Oracle::kCabextract, test.blocks), !test.cabextract_refuses);
  }
}

// After a frame's last bit, 7-Zip wants zero bits up to the byte boundary (at least two) and
// nothing more; cabextract skips any bytes but its own end marker 0xFF. Zeros are what a writer
// pads with, so zero bytes are taken and anything else is damage.
TEST(QuantumDecoderTest, TakesOnlyZerosAfterAFrame) {
  const struct {
    const char* name;
    std::function<void(Bytes&)> change;
    bool accepted;
    bool cabextract_accepts;
  } cases[] = {
      {"a padding bit set", [](Bytes& coded) { coded.back() |= 1; }, false, true},
      {"a zero byte", [](Bytes& coded) { coded.push_back(0); }, true, true},
      {"four zero bytes", [](Bytes& coded) { coded.resize(coded.size() + 4, 0); }, true, true},
      {"a byte other than zero", [](Bytes& coded) { coded.push_back(0x10); }, false, true},
      {"an end marker", [](Bytes& coded) { coded.push_back(0xFF); }, false, false},
  };
  const std::vector<CraftedBlock> good = TextBlocks();
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    std::vector<CraftedBlock> blocks = good;
    test.change(blocks.front().coded);
    EXPECT_EQ(DecodeError(blocks), test.accepted ? Error::kOk : Error::kCorruptData);
    EXPECT_FALSE(OracleAccepts(Oracle::kSevenZip, blocks));
    EXPECT_EQ(OracleAccepts(Oracle::kCabextract, blocks), test.cabextract_accepts);
  }
}

TEST(QuantumDecoderTest, RefusesOutputSizesNoFrameHas) {
  const std::vector<CraftedBlock> blocks = TextBlocks();
  for (const std::size_t size : {std::size_t{0}, codec::kMaxBlockOutput + 1}) {
    const auto decoder = QuantumDecoder::Create(kLevel, kWindowBits);
    Bytes out(size);
    EXPECT_EQ(decoder->Decode(blocks.front().coded, out), Error::kCorruptData) << size;
  }
}

TEST(QuantumDecoderTest, StaysFailedAfterAnError) {
  const std::vector<CraftedBlock> blocks = TextBlocks();
  const auto decoder = QuantumDecoder::Create(kLevel, kWindowBits);
  Bytes out(blocks.front().expanded_size);
  const Bytes cut(blocks.front().coded.begin(), blocks.front().coded.end() - 2);
  EXPECT_EQ(decoder->Decode(cut, out), Error::kCorruptData);
  EXPECT_EQ(decoder->Decode(blocks.front().coded, out), Error::kCorruptData);
}

}  // namespace
}  // namespace codec_test
