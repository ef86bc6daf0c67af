// Streams of the test writer, decoded by both independent decoders and by ours: the same bytes from
// all three for every level and window, every kind of token, inputs long enough for the models to
// rescale and reorder many times over many frames, and folders that each start afresh.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "cab/cabinet_format.h"
#include "quantum/quantum_decoder.h"
#include "quantum/quantum_tables.h"
#include "support/crafted_cabinet.h"
#include "support/folder_decoding.h"
#include "support/oracles.h"
#include "support/quantum_writer.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

using codec::QuantumDecoder;
using codec::QuantumType;
using codec::quantum::kFrameSize;

testing::AssertionResult SameBytes(const Bytes& got, const Bytes& expected) {
  if (got == expected) return testing::AssertionSuccess();
  const auto [at, unused] = std::mismatch(got.begin(), got.end(), expected.begin(), expected.end());
  return testing::AssertionFailure() << got.size() << " bytes instead of " << expected.size()
                                     << ", first difference at " << (at - got.begin());
}

// Both independent decoders and ours give `expected` from `blocks`.
void ExpectEveryDecoderGives(unsigned level, unsigned window_bits,
                             const std::vector<CraftedBlock>& blocks, const Bytes& expected) {
  const Bytes cabinet = SingleFileCabinet("q.bin", QuantumType(level, window_bits), blocks);
  for (const Oracle oracle : {Oracle::kCabextract, Oracle::kSevenZip}) {
    SCOPED_TRACE(OracleName(oracle));
    const std::optional<ExtractedFiles> files = ExtractWith(oracle, cabinet);
    ASSERT_TRUE(files);
    ASSERT_EQ(files->count("q.bin"), 1u);
    EXPECT_TRUE(SameBytes(files->at("q.bin"), expected));
  }
  const auto decoder = QuantumDecoder::Create(level, window_bits);
  ASSERT_TRUE(decoder);
  const DecodedFolder folder = DecodeFolder(*decoder, blocks);
  EXPECT_EQ(folder.error, codec::Error::kOk);
  EXPECT_TRUE(SameBytes(folder.bytes, expected));
}

// A token list that keeps matches within their frame, filling a frame with literals first when
// the next match would cross its end.
class Script {
 public:
  void Add(QuantumToken token) {
    const std::uint32_t size = token.length == 0 ? 1 : token.length;
    while (token.length != 0 && produced_ % kFrameSize + size > kFrameSize)
      Add(Literal(static_cast<std::uint8_t>(produced_)));
    tokens_.push_back(token);
    produced_ += size;
  }
  void Add(std::span<const QuantumToken> tokens) {
    for (const QuantumToken& token : tokens)
      Add(token);
  }
  const std::vector<QuantumToken>& tokens() const { return tokens_; }

 private:
  std::vector<QuantumToken> tokens_;
  std::uint64_t produced_ = 0;
};

// Every window, each with one of the levels in turn, with the farthest match of each kind: a
// window's worth of data, then matches reaching back to its first byte.
TEST(QuantumOracleTest, EveryWindowAndLevelWithItsFarthestMatches) {
  for (unsigned window_bits = 10; window_bits <= 21; ++window_bits) {
    const unsigned level = 1 + (window_bits - 10) % 7;
    SCOPED_TRACE("window bits " + std::to_string(window_bits) + ", level " + std::to_string(level));
    const std::uint32_t window = std::uint32_t{1} << window_bits;
    Script script;
    script.Add(GreedyQuantumTokens(BinaryLike(window, window_bits), window_bits));
    for (const QuantumToken& far : {Match(3, std::min<std::uint32_t>(window, 4096)),
                                    Match(4, std::min<std::uint32_t>(window, 262144)),
                                    Match(259, window), Match(5, window)}) {
      script.Add(far);
    }
    ExpectEveryDecoderGives(level, window_bits, QuantumBlocks(script.tokens(), window_bits),
                            ExpandTokens(script.tokens()));
  }
}

// Each kind of token on its own, after enough data for every distance of an 18-bit window, in
// which every model has all its slots.
TEST(QuantumOracleTest, EveryLiteralLengthAndPositionSlot) {
  constexpr unsigned kWindowBits = 18;
  using codec::quantum::kPositionBase;
  using codec::quantum::kPositionExtra;
  // A match at the first and at the last distance of each of the first `slots` position slots.
  const auto every_slot = [](std::uint32_t length, unsigned slots) {
    return [=](Script& script) {
      for (unsigned slot = 0; slot < slots; ++slot) {
        script.Add(Match(length, kPositionBase[slot] + 1));
        script.Add(Match(length, kPositionBase[slot] + (1u << kPositionExtra[slot])));
      }
    };
  };
  const struct {
    const char* name;
    std::function<void(Script&)> tokens;
  } cases[] = {
      {"every byte value, through the four literal models",
       [](Script& script) {
         for (unsigned byte = 0; byte < 256; ++byte)
           script.Add(Literal(static_cast<std::uint8_t>(byte * 37)));
       }},
      {"every length of a match",
       [](Script& script) {
         for (std::uint32_t length = 3; length <= 259; ++length)
           script.Add(Match(length, 1 + length * 97));
       }},
      {"every position slot of 3-byte matches", every_slot(3, 24)},
      {"every position slot of 4-byte matches", every_slot(4, 36)},
      {"every position slot of long matches", every_slot(200, 36)},
      {"copies overlapping their own output",
       [](Script& script) {
         for (std::uint32_t distance = 1; distance <= 8; ++distance)
           script.Add(Match(259, distance));
       }},
  };
  const std::vector<QuantumToken> lead_in =
      GreedyQuantumTokens(Text(std::size_t{1} << kWindowBits, 7), kWindowBits);
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    Script script;
    script.Add(lead_in);
    test.tokens(script);
    ExpectEveryDecoderGives(4, kWindowBits, QuantumBlocks(script.tokens(), kWindowBits),
                            ExpandTokens(script.tokens()));
  }
}

// Inputs of many frames, the last one short, whose symbols make every model rescale, and sort
// its entries, many times, with many ties among their frequencies.
TEST(QuantumOracleTest, LongInputsRescaleAndReorderTheModels) {
  const struct {
    const char* name;
    unsigned window_bits;
    Bytes data;
  } cases[] = {
      {"text", 16, Text(400000, 11)},
      {"binary", 20, BinaryLike(300001, 12)},
      {"random bytes", 12, RandomBytes(150000, 13)},
      {"five byte values", 15, RandomBytes(200000, 14, 5)},
      {"one byte value", 10, Bytes(100000, 0xC3)},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    ExpectEveryDecoderGives(
        7, test.window_bits,
        QuantumBlocks(GreedyQuantumTokens(test.data, test.window_bits), test.window_bits),
        test.data);
  }
}

// Each folder starts with fresh models, a fresh window and its own parameters.
TEST(QuantumOracleTest, EachFolderStartsAfresh) {
  const Bytes first = Text(50000, 21);
  const Bytes second = BinaryLike(70000, 22);
  CraftedCabinet cabinet;
  cabinet.folders.push_back(
      {QuantumType(2, 15), QuantumBlocks(GreedyQuantumTokens(first, 15), 15)});
  cabinet.folders.push_back(
      {QuantumType(6, 21), QuantumBlocks(GreedyQuantumTokens(second, 21), 21)});
  cabinet.files.push_back({"un.txt", 50000, 0, 0});
  cabinet.files.push_back({"deux.bin", 70000, 0, 1});
  const Bytes built = BuildCabinet(cabinet);
  for (const Oracle oracle : {Oracle::kCabextract, Oracle::kSevenZip}) {
    SCOPED_TRACE(OracleName(oracle));
    const std::optional<ExtractedFiles> files = ExtractWith(oracle, built);
    ASSERT_TRUE(files);
    EXPECT_EQ(*files, (ExtractedFiles{{"un.txt", first}, {"deux.bin", second}}));
  }
  for (const auto& [folder, bits, expected] : {std::tuple{&cabinet.folders[0], 15u, &first},
                                               std::tuple{&cabinet.folders[1], 21u, &second}}) {
    const auto decoder = QuantumDecoder::Create(4, bits);
    ASSERT_TRUE(decoder);
    const DecodedFolder decoded = DecodeFolder(*decoder, folder->blocks);
    EXPECT_EQ(decoded.error, codec::Error::kOk);
    EXPECT_TRUE(SameBytes(decoded.bytes, *expected));
  }
}

}  // namespace
}  // namespace codec_test
