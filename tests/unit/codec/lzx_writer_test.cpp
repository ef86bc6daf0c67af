// LzxWriter: what it refuses, how it cuts frames, what it follows for the encoder; the costs an
// encoder works with.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>

#include "lzx/lzx_costs.h"
#include "lzx/lzx_writer.h"
#include "support/lzx_builder.h"
#include "support/lzx_streams.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

using codec::Error;
using codec::LzxBlockType;
using codec::LzxToken;

constexpr LzxBlockType kVerbatim = LzxBlockType::kVerbatim;
constexpr LzxBlockType kAligned = LzxBlockType::kAligned;

std::vector<LzxToken> Literals(std::size_t count, std::uint8_t byte = 'a') {
  return std::vector<LzxToken>(count, LzxToken::Literal(byte));
}

TEST(LzxWriterTest, RefusesWhatNoDecoderReadsAsMeantAndStaysFailed) {
  const codec::LzxTreeLengths flat = FlatTrees(16);
  codec::LzxTreeLengths one_literal;
  one_literal.main['a'] = 1;
  codec::LzxTreeLengths no_length_tree = flat;
  no_length_tree.length = {};
  codec::LzxTreeLengths no_aligned_tree = flat;
  no_aligned_tree.aligned = {};
  codec::LzxTreeLengths long_aligned = flat;
  long_aligned.aligned = {1, 2, 3, 4, 5, 6, 8, 8};
  // Literals of 12 bits: 32,768 of them take 48 KiB, more than a data block may hold.
  codec::LzxTreeLengths costly = flat;
  costly.main = {};
  for (unsigned i = 0; i < 256; ++i)
    costly.main[i] = 12;
  for (unsigned i = 0; i < 4; ++i)
    costly.main[256 + i] = static_cast<std::uint8_t>(i + 1);

  using Write = std::function<Error(codec::LzxWriter&)>;
  auto block = [](LzxBlockType type, std::vector<LzxToken> tokens,
                  const codec::LzxTreeLengths& trees) -> Write {
    return [=](codec::LzxWriter& w) { return w.WriteBlock(type, tokens, trees); };
  };
  auto then = [](Write first, Write second) -> Write {
    return [=](codec::LzxWriter& w) {
      const Error e = first(w);
      return e != Error::kOk ? e : second(w);
    };
  };
  const Write ten_literals = block(kVerbatim, Literals(10), flat);
  const struct {
    const char* name;
    unsigned window_bits;
    std::optional<std::uint32_t> translation_size;
    Write write;
    Error expected;
  } cases[] = {
      {"a window of 14 bits", 14, {}, ten_literals, Error::kCorruptData},
      {"a window of 22 bits", 22, {}, ten_literals, Error::kCorruptData},
      {"a translation size of 2^31", 16, 0x80000000u, ten_literals, Error::kCorruptData},
      {"a block of no tokens", 16, {}, block(kVerbatim, {}, flat), Error::kCorruptData},
      {"an uncompressed type for tokens",
       16,
       {},
       block(LzxBlockType::kUncompressed, Literals(1), flat),
       Error::kCorruptData},
      {"a literal above 255",
       16,
       {},
       block(kVerbatim, {LzxToken{256, 0}}, flat),
       Error::kCorruptData},
      {"a match of one byte",
       16,
       {},
       then(ten_literals, block(kVerbatim, {LzxToken::Match(1, 3)}, flat)),
       Error::kCorruptData},
      {"a match of 258 bytes",
       16,
       {},
       then(ten_literals, block(kVerbatim, {LzxToken::Match(258, 3)}, flat)),
       Error::kCorruptData},
      {"an offset beyond the window's slots",
       15,
       {},
       then(block(kVerbatim, Literals(32767), FlatTrees(15)),
            block(kVerbatim, {LzxToken::Match(2, 32768)}, FlatTrees(15))),
       Error::kCorruptData},
      {"a match reaching before the start",
       16,
       {},
       block(kVerbatim, {LzxToken::Literal('a'), LzxToken::Match(2, codec::LzxDistance(2))}, flat),
       Error::kCorruptData},
      {"a repeat reaching before the start",
       16,
       {},
       block(kVerbatim, {LzxToken::Match(2, 0)}, flat),
       Error::kCorruptData},
      {"a match crossing the end of a frame",
       16,
       {},
       block(
           kVerbatim,
           [] {
             std::vector<LzxToken> tokens = Literals(32767);
             tokens.push_back(LzxToken::Match(2, codec::LzxDistance(1)));
             return tokens;
           }(),
           flat),
       Error::kCorruptData},
      {"a literal without a code",
       16,
       {},
       block(kVerbatim, Literals(3, 'b'), one_literal),
       Error::kCorruptData},
      {"a main tree of one code",
       16,
       {},
       block(kVerbatim, Literals(3), one_literal),
       Error::kCorruptData},
      {"a long match without a length tree",
       16,
       {},
       block(kVerbatim, {LzxToken::Literal('a'), LzxToken::Match(20, codec::LzxDistance(1))},
             no_length_tree),
       Error::kCorruptData},
      {"an aligned block without an aligned tree",
       16,
       {},
       block(kAligned, Literals(3), no_aligned_tree),
       Error::kCorruptData},
      {"aligned lengths above 7",
       16,
       {},
       block(kAligned, Literals(3), long_aligned),
       Error::kCorruptData},
      {"an uncompressed block of no bytes",
       16,
       {},
       [](codec::LzxWriter& w) { return w.WriteUncompressedBlock({}); },
       Error::kCorruptData},
      {"an uncompressed block above 2^24 - 1 bytes",
       16,
       {},
       [](codec::LzxWriter& w) { return w.WriteUncompressedBlock(Bytes(1u << 24, 0)); },
       Error::kTooLarge},
      {"a frame coded larger than a data block holds",
       16,
       {},
       block(kVerbatim, Literals(32768), costly),
       Error::kTooLarge},
      {"a block after the end",
       16,
       {},
       then([](codec::LzxWriter& w) { return w.Finish(); }, ten_literals),
       Error::kCorruptData},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CollectedBlocks sink;
    codec::LzxWriter writer(sink, c.window_bits, c.translation_size);
    EXPECT_EQ(c.write(writer), c.expected);
    EXPECT_EQ(writer.WriteBlock(kVerbatim, Literals(1), flat), c.expected);
    EXPECT_EQ(writer.Finish(), c.expected);
    EXPECT_TRUE(sink.blocks.empty());
  }
}

TEST(LzxWriterTest, ASinkRefusingAFrameFailsTheWriter) {
  CollectedBlocks sink;
  codec::LzxWriter writer(sink, 16, std::nullopt);
  ASSERT_EQ(writer.WriteUncompressedBlock(Bytes(1000, 1)), Error::kOk);
  sink.refuse = true;
  EXPECT_EQ(writer.WriteUncompressedBlock(Bytes(40000, 2)), Error::kOutputFailed);
  EXPECT_EQ(writer.Finish(), Error::kOutputFailed);
}

// Frames of 32 KiB whatever the blocks, the last shorter; an empty folder gives no data block.
TEST(LzxWriterTest, CutsFramesAndFollowsThePositionAndRepeatedOffsets) {
  CollectedBlocks empty;
  codec::LzxWriter nothing(empty, 16, std::nullopt);
  EXPECT_EQ(nothing.Finish(), Error::kOk);
  EXPECT_TRUE(empty.blocks.empty());

  CollectedBlocks sink;
  codec::LzxWriter writer(sink, 16, 1000000);
  const codec::LzxTreeLengths flat = FlatTrees(16);
  ASSERT_EQ(writer.WriteBlock(kVerbatim, Literals(30001), flat), Error::kOk);
  const LzxToken matches[] = {LzxToken::Match(3, codec::LzxDistance(7)),
                              LzxToken::Match(4, codec::LzxDistance(9)), LzxToken::Match(5, 1)};
  ASSERT_EQ(writer.WriteBlock(kAligned, matches, flat), Error::kOk);
  EXPECT_EQ(writer.repeated(), (codec::LzxRepeated{7, 9, 1}));
  ASSERT_EQ(writer.WriteUncompressedBlock(Bytes(40001, 3)), Error::kOk);
  EXPECT_EQ(writer.position(), 70014u);
  ASSERT_EQ(writer.WriteBlock(kVerbatim, Literals(5), flat), Error::kOk);
  ASSERT_EQ(writer.Finish(), Error::kOk);
  EXPECT_EQ(writer.Finish(), Error::kOk);
  ASSERT_EQ(sink.blocks.size(), 3u);
  EXPECT_EQ(sink.blocks[0].expanded_size, 32768);
  EXPECT_EQ(sink.blocks[1].expanded_size, 32768);
  EXPECT_EQ(sink.blocks[2].expanded_size, 70019 - 65536);
  Bytes expected(30001, 'a');
  for (const char c : std::string("aaaaaaaaaaaa"))
    expected.push_back(static_cast<std::uint8_t>(c));
  expected.insert(expected.end(), 40001, 3);
  expected.insert(expected.end(), 5, 'a');
  EXPECT_EQ(DecodeLzxFolder(sink.blocks, 16), expected);
}

TEST(LzxCostsTest, TokenBitsFollowTheBlockType) {
  codec::LzxTreeLengths trees = FlatTrees(16);
  trees.main['a'] = 7;
  trees.main[256 + 19 * 8 + 7] = 11;  // slot 19: offsets 768 to 1023, 8 extra bits
  trees.length[11] = 5;
  trees.aligned[2] = 4;
  trees.main[256 + 1 * 8 + 3] = 6;  // R1, length 5
  const struct {
    const char* name;
    LzxToken token;
    LzxBlockType type;
    std::uint32_t bits;
  } cases[] = {
      {"a literal", LzxToken::Literal('a'), kVerbatim, 7},
      {"a long match, verbatim", LzxToken::Match(20, 1002), kVerbatim, 11 + 5 + 8},
      {"a long match, aligned", LzxToken::Match(20, 1002), kAligned, 11 + 5 + 5 + 4},
      {"a repeat", LzxToken::Match(5, 1), kAligned, 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(codec::LzxTokenBits(c.token, c.type, trees), c.bits);
  }
}

// An encoder's costs add up to what the writer writes: headers and trees against the previous
// block's, then the tokens, the frame padded to a word at the end.
TEST(LzxCostsTest, BlockCostsAddUpToTheWrittenFrame) {
  const Bytes data = Text(20000, 81);
  CollectedBlocks sink;
  codec::LzxWriter writer(sink, 17, std::nullopt);
  std::uint64_t bits = 1;  // the translation header
  for (const auto& [type, from, to] :
       {std::tuple{kVerbatim, 0u, 7000u}, std::tuple{kAligned, 7000u, 15000u},
        std::tuple{kVerbatim, 15000u, 20000u}}) {
    codec::LzxRepeated repeated = writer.repeated();
    const std::vector<LzxToken> tokens = GreedyTokens(data, from, to, 17, repeated);
    codec::LzxSymbolCounts counts;
    codec::CountLzxSymbols(tokens, type, counts);
    const codec::LzxTreeLengths trees = codec::BuildLzxTrees(counts, 17);
    bits += codec::LzxBlockHeaderBits(type, writer.trees(), trees, 17);
    for (const LzxToken& token : tokens)
      bits += codec::LzxTokenBits(token, type, trees);
    ASSERT_EQ(writer.WriteBlock(type, tokens, trees), Error::kOk);
  }
  ASSERT_EQ(writer.Finish(), Error::kOk);
  ASSERT_EQ(sink.blocks.size(), 1u);
  EXPECT_EQ(sink.blocks[0].coded.size(), (bits + 15) / 16 * 2);
  EXPECT_EQ(DecodeLzxFolder(sink.blocks, 17), data);
}

// Trees built from counts are ones the writer takes: one used symbol gets a partner, an unused
// length tree stays empty, an unused aligned tree still fills its space.
TEST(LzxCostsTest, TreesFromCountsAreWritable) {
  const std::vector<LzxToken> tokens = Literals(10, 'q');
  codec::LzxSymbolCounts counts;
  codec::CountLzxSymbols(tokens, kAligned, counts);
  const codec::LzxTreeLengths trees = codec::BuildLzxTrees(counts, 16);
  EXPECT_EQ(trees.main['q'], 1);
  EXPECT_EQ(trees.length, decltype(trees.length){});
  EXPECT_EQ(trees.aligned, (decltype(trees.aligned){3, 3, 3, 3, 3, 3, 3, 3}));
  CollectedBlocks sink;
  codec::LzxWriter writer(sink, 16, std::nullopt);
  EXPECT_EQ(writer.WriteBlock(kAligned, tokens, trees), Error::kOk);
  EXPECT_EQ(writer.Finish(), Error::kOk);
  EXPECT_EQ(DecodeLzxFolder(sink.blocks, 16), Bytes(10, 'q'));
}

}  // namespace
}  // namespace codec_test
