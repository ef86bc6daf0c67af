// LZX folders written by LzxWriter, each decoded by LzxDecoder and by both oracle decoders.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "lzx/lzx_costs.h"
#include "lzx/lzx_writer.h"
#include "support/lzx_streams.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

using codec::LzxBlockType;
using codec::LzxToken;

void ExpectEveryDecoderGives(const std::vector<CraftedBlock>& blocks, unsigned window_bits,
                             const Bytes& expected) {
  ASSERT_FALSE(blocks.empty());
  EXPECT_EQ(DecodeLzxFolder(blocks, window_bits), expected);
  for (const Oracle oracle : {Oracle::kCabextract, Oracle::kSevenZip}) {
    EXPECT_EQ(ExtractLzxFolder(oracle, blocks, window_bits), expected) << OracleName(oracle);
  }
}

// Blocks of 20,000 bytes span frames and update the previous block's trees; greedy parsing
// repeats offsets; 130 KB run past the smaller windows, so matches wrap around them.
TEST(LzxOracleTest, GreedyFoldersInEveryWindowAndBlockKind) {
  Bytes data = Text(70000, 21);
  const Bytes binary = BinaryLike(60000, 22);
  data.insert(data.end(), binary.begin(), binary.end());
  const struct {
    const char* name;
    LzxBlockType type;
    bool uncompressed_every_third;
  } kinds[] = {
      {"verbatim", LzxBlockType::kVerbatim, false},
      {"aligned", LzxBlockType::kAligned, false},
      {"aligned and uncompressed", LzxBlockType::kAligned, true},
  };
  for (unsigned bits = codec::kLzxMinWindowBits; bits <= codec::kLzxMaxWindowBits; ++bits) {
    for (const auto& kind : kinds) {
      SCOPED_TRACE(std::to_string(bits) + " bits, " + kind.name);
      LzxPlan plan;
      plan.window_bits = bits;
      plan.type = kind.type;
      plan.block_size = 20000;
      plan.uncompressed_every_third = kind.uncompressed_every_third;
      ExpectEveryDecoderGives(LzxFolder(data, plan), bits, data);
    }
  }
}

// The largest window after 2 MiB of plain bytes: a match at the first and the last offset of
// every position slot (17 extra bits at the top), with lengths around the length tree's start,
// then the three repeats, in a verbatim and an aligned block.
TEST(LzxOracleTest, EveryPositionSlotOfTheLargestWindow) {
  constexpr unsigned kBits = 21;
  const Bytes history = RandomBytes(std::size_t{1} << kBits, 23);
  std::vector<LzxToken> tokens;
  const std::uint32_t lengths[] = {2, 3, 8, 9, 10, 40, 257};
  std::size_t next_length = 0;
  for (unsigned slot = 3; slot < codec::LzxPositionSlots(kBits); ++slot) {
    for (const std::uint32_t offset :
         {codec::kLzxSlots.base[slot], codec::kLzxSlots.base[slot + 1] - 1}) {
      tokens.push_back(LzxToken::Match(lengths[next_length++ % std::size(lengths)], offset));
    }
  }
  for (const std::uint32_t repeat : {0u, 1u, 2u, 1u})
    tokens.push_back(LzxToken::Match(5, repeat));

  CollectedBlocks sink;
  codec::LzxWriter writer(sink, kBits, std::nullopt);
  ASSERT_EQ(writer.WriteUncompressedBlock(history), codec::Error::kOk);
  Bytes expected = history;
  codec::LzxRepeated repeated = writer.repeated();
  for (const LzxBlockType type : {LzxBlockType::kVerbatim, LzxBlockType::kAligned}) {
    codec::LzxSymbolCounts counts;
    codec::CountLzxSymbols(tokens, type, counts);
    ASSERT_EQ(writer.WriteBlock(type, tokens, codec::BuildLzxTrees(counts, kBits)),
              codec::Error::kOk);
    for (const LzxToken& token : tokens) {
      const std::uint32_t distance =
          token.value < 3 ? repeated[token.value] : token.value - codec::kLzxOffsetBias;
      codec::UpdateRepeated(repeated, token.value);
      for (std::uint32_t i = 0; i < token.length; ++i)
        expected.push_back(expected[expected.size() - distance]);
    }
  }
  ASSERT_EQ(writer.Finish(), codec::Error::kOk);
  ExpectEveryDecoderGives(sink.blocks, kBits, expected);
}

// One call per frame at a given distance from the frame's end: translated up to 11 bytes before
// it, left alone in the last 10, operands running into the next frame; also calls opening each
// frame; operands inside and outside the translated range; short last frames of every kind.
TEST(LzxOracleTest, CallTranslationAtFrameEdges) {
  constexpr std::size_t kFrame = codec::kLzxFrameSize;
  const std::size_t from_end[] = {12, 11, 10, 9, 6, 5, 3, 1};
  for (const std::uint32_t translation_size : {12000000u, 70000u}) {
    for (const std::size_t last : {kFrame, std::size_t{300}, std::size_t{12}, std::size_t{11},
                                   std::size_t{10}, std::size_t{5}}) {
      SCOPED_TRACE(std::to_string(translation_size) + ", last frame " + std::to_string(last));
      Bytes data = BinaryLike(std::size(from_end) * kFrame + last, 24);
      std::uint32_t operand = 0x40;
      auto call = [&](std::size_t at) {
        if (at + 5 > data.size()) return;
        operand = operand * 2654435761u + 0x9E3779B9u;
        const std::uint32_t shapes[] = {operand % 100000, 0u - operand % 100000, operand};
        data[at] = 0xE8;
        for (std::size_t k = 0; k < 4; ++k)
          data[at + 1 + k] = static_cast<std::uint8_t>(shapes[at % 3] >> (8 * k));
      };
      for (std::size_t frame = 0, k = 0; frame < data.size(); frame += kFrame, ++k) {
        const std::size_t end = std::min(data.size(), frame + kFrame);
        const std::size_t back = from_end[k % std::size(from_end)];
        // No other E8 may hide the call inside its operand.
        const std::size_t clear = std::min<std::size_t>(end - frame, 20);
        std::fill(data.begin() + static_cast<std::ptrdiff_t>(end - clear),
                  data.begin() + static_cast<std::ptrdiff_t>(std::min(data.size(), end + 5)),
                  std::uint8_t{0x90});
        if (end - frame >= back) call(end - back);
        call(frame);
      }
      LzxPlan plan;
      plan.translation_size = translation_size;
      plan.block_size = 50000;
      ExpectEveryDecoderGives(LzxFolder(data, plan), plan.window_bits, data);
    }
  }
}

}  // namespace
}  // namespace codec_test
