// Streams that no MSZIP block may hold, one per kind of damage: our inflater refuses each, as zlib
// does, and the block decoder stays failed afterwards.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "mszip/mszip_block_decoder.h"
#include "support/deflate_stream.h"
#include "support/inflate_verdicts.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

constexpr bool kFinal = true;
constexpr bool kNotFinal = false;
constexpr unsigned kFixed = 1;

using Symbols = std::vector<DeflateStream::CodeLengthSymbol>;

struct Case {
  std::string name;
  Bytes stream;
  Bytes history;
  std::size_t size = 0;
  bool accepted = false;  // a well-formed twin, showing that the damage alone is refused
};

DeflateStream Fixed(bool final) {
  DeflateStream stream;
  stream.Header(final, kFixed);
  return stream;
}

std::vector<std::uint8_t> Lengths(std::size_t count, std::vector<std::pair<std::size_t, int>> set) {
  std::vector<std::uint8_t> lengths(count, 0);
  for (const auto& [symbol, length] : set)
    lengths[symbol] = static_cast<std::uint8_t>(length);
  return lengths;
}

using Codes = std::vector<std::pair<std::uint32_t, unsigned>>;  // code, length

// A dynamic header with these code lengths, then data in these codes, which a decoder that let
// the header pass would accept.
Bytes Dynamic(const std::vector<std::uint8_t>& literal_lengths,
              const std::vector<std::uint8_t>& distance_lengths, const Codes& data) {
  DeflateStream stream;
  stream.DynamicHeader(kFinal, literal_lengths, distance_lengths);
  for (const auto& [code, length] : data)
    stream.Code(code, length);
  return stream.Bytes();
}

// A header giving 'a' and the end of block 1 bit each and one distance code 1 bit, among
// `literal_count` and `distance_count` lengths, then 'a' and the end of block. `lead` stands for
// the first three lengths and `last` for the first distance length.
Bytes OneLiteral(const DeflateStream::CodeLengthSymbol& lead,
                 const DeflateStream::CodeLengthSymbol& last, std::uint8_t literal_count = 1,
                 std::uint8_t distance_count = 1) {
  Symbols symbols = {lead, {18, 83}, {1}, {18, 127}, {18, 9}, {1}};
  // Zeros for the other length symbols and distances (at least 11 of them).
  if (literal_count > 1) symbols.push_back({18, static_cast<std::uint8_t>(literal_count - 12)});
  symbols.push_back(last);
  if (distance_count > 1) symbols.push_back({18, static_cast<std::uint8_t>(distance_count - 12)});
  return DeflateStream()
      .DynamicHeader(kFinal, 256u + literal_count, distance_count, symbols)
      .Code(0, 1)
      .Code(1, 1)
      .Bytes();
}

// 'a' and 'b' without an end of block, then 'a' up to the end of the last byte.
Case NoEndOfBlock() {
  DeflateStream stream;
  stream.DynamicHeader(kFinal, Lengths(257, {{'a', 1}, {'b', 1}}), {1});
  std::size_t size = 1;
  for (stream.Code(0, 1); stream.BitsToByte() != 0; ++size)
    stream.Code(0, 1);
  return {"no end-of-block code", stream.Bytes(), {}, size};
}

Bytes CodeLengthCode(std::vector<std::pair<std::size_t, int>> set) {
  std::array<std::uint8_t, 19> lengths{};
  for (const auto& [symbol, length] : set)
    lengths[symbol] = static_cast<std::uint8_t>(length);
  return DeflateStream().CodeLengthCode(kFinal, 257, 1, lengths).Bits(0, 32).Bytes();
}

// Literal/length code: 'a' in 1 bit, end of block and length 3 in 2, with these distance lengths.
DeflateStream WithLengthThree(const std::vector<std::uint8_t>& distance_lengths) {
  DeflateStream stream;
  stream.DynamicHeader(kFinal, Lengths(258, {{'a', 1}, {256, 2}, {257, 2}}), distance_lengths);
  return stream;
}

Bytes CutInHalf(Bytes stream) {
  stream.resize(stream.size() / 2);
  return stream;
}

Bytes Literals(std::size_t count) {
  DeflateStream stream = Fixed(kFinal);
  for (std::size_t i = 0; i < count; ++i)
    stream.Literal(static_cast<std::uint8_t>('a' + i % 26));
  return stream.EndOfBlock().Bytes();
}

Bytes ThenEmptyCodeLengthCodeReadToItsEnd() {
  DeflateStream stream = Fixed(kNotFinal);
  stream.Literal('a').EndOfBlock().CodeLengthCode(kFinal, 257, 1, {});
  return stream.Bits(0, 30)
      .Bits(0, 30)
      .Bits(0, 30)
      .Bits(0, 30)
      .Bits(0, 30)
      .Bits(0, 30)
      .Bits(0, 30)
      .Bits(0, 30)
      .Bits(0, 30)
      .Bytes();
}

TEST(InflateDamageTest, RefusesWhatZlibRefuses) {
  const Bytes history = RandomBytes(10, 3);
  const Case cases[] = {
      {"the reserved block type", DeflateStream().Header(kFinal, 3).Bits(0, 16).Bytes(), {}, 1},
      {"286 literal/length codes and 30 distance codes",
       OneLiteral({17, 0}, {1}, 30, 30),
       {},
       1,
       true},
      {"287 literal/length codes", OneLiteral({17, 0}, {1}, 31, 1), {}, 1},
      {"31 distance codes", OneLiteral({17, 0}, {1}, 1, 31), {}, 1},
      {"an over-subscribed code-length code",
       CodeLengthCode({{0, 1}, {1, 1}, {2, 1}, {8, 2}}),
       {},
       1},
      {"an incomplete code-length code", CodeLengthCode({{0, 1}, {8, 2}}), {}, 1},
      {"a code-length code of one code", CodeLengthCode({{8, 1}}), {}, 1},
      {"a repeat before the first length", OneLiteral({16, 0}, {1}), {}, 1},
      {"a repeat past the last length", OneLiteral({17, 0}, {16, 0}), {}, 1},
      NoEndOfBlock(),
      {"an over-subscribed literal/length code",
       Dynamic(Lengths(257, {{'a', 1}, {'b', 1}, {256, 1}}), {1}, {{0, 1}, {1, 1}}),
       {},
       1},
      {"an incomplete literal/length code",
       Dynamic(Lengths(257, {{'a', 1}, {256, 2}}), {1}, {{0, 1}, {2, 2}}),
       {},
       1},
      {"an over-subscribed distance code",
       Dynamic(Lengths(257, {{'a', 1}, {256, 1}}), {1, 1, 1}, {{0, 1}, {1, 1}}),
       {},
       1},
      {"an incomplete distance code of two codes",
       Dynamic(Lengths(257, {{'a', 1}, {256, 1}}), {1, 2}, {{0, 1}, {1, 1}}),
       {},
       1},
      {"a single distance code of two bits",
       Dynamic(Lengths(257, {{'a', 1}, {256, 1}}), {2}, {{0, 1}, {1, 1}}),
       {},
       1},
      {"the unused half of a one-code distance code",
       WithLengthThree({1}).Code(0, 1).Code(3, 2).Code(1, 1).Code(2, 2).Bytes(),
       {},
       4},
      {"a match without a distance code",
       WithLengthThree({0}).Code(0, 1).Code(3, 2).Code(0, 1).Code(2, 2).Bytes(),
       {},
       4},
      {"a distance before the first byte",
       Fixed(kFinal).Literal('a').Match(3, 2).EndOfBlock().Bytes(),
       {},
       4},
      {"a distance before the history", Fixed(kFinal).Match(3, 11).EndOfBlock().Bytes(), history,
       3},
      {"literal/length symbol 286", Fixed(kFinal).Symbol(286).EndOfBlock().Bytes(), {}, 1},
      {"literal/length symbol 287", Fixed(kFinal).Symbol(287).EndOfBlock().Bytes(), {}, 1},
      {"distance symbol 30",
       Fixed(kFinal).Literal('a').Symbol(257).DistanceSymbol(30).EndOfBlock().Bytes(),
       {},
       4},
      {"distance symbol 31",
       Fixed(kFinal).Literal('a').Symbol(257).DistanceSymbol(31).EndOfBlock().Bytes(),
       {},
       4},
      {"a stored length that its complement contradicts",
       DeflateStream().Header(kFinal, 0).StoredLengths(3, 3).Bits(0x616161, 24).Bytes(),
       {},
       3},
      {"a stream that ends before the output is full", Literals(2), {}, 3},
      {"input ending inside a stored block",
       CutInHalf(DeflateStream().Stored(kFinal, Text(100, 1)).Bytes()),
       {},
       100},
      {"input ending inside coded data", CutInHalf(Literals(100)), {}, 100},
      {"a literal past the output's end", Literals(2), {}, 1},
      {"a match past the output's end",
       Fixed(kFinal).Literal('a').Match(10, 1).EndOfBlock().Bytes(),
       {},
       5},
      {"a stored block longer than the output",
       DeflateStream().Stored(kFinal, Text(10, 1)).Bytes(),
       {},
       5},
      {"a full output, then a literal in the next block",
       Fixed(kNotFinal)
           .Literal('a')
           .EndOfBlock()
           .Header(kFinal, kFixed)
           .Literal('b')
           .EndOfBlock()
           .Bytes(),
       {},
       1},
      {"a full output, then an empty code-length code read to its end",
       ThenEmptyCodeLengthCodeReadToItsEnd(),
       {},
       1},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    EXPECT_EQ(ZlibVerdict(test.stream, test.history, test.size).ok, test.accepted);
    EXPECT_EQ(OurVerdict(test.stream, test.history, test.size).ok, test.accepted);
  }
}

TEST(InflateDamageTest, BlockDecoderNeedsItsSignatureAndStaysFailed) {
  const Bytes good = Fixed(kFinal).Literal('a').EndOfBlock().Bytes();
  Bytes block = {'C', 'K'};
  block.insert(block.end(), good.begin(), good.end());
  Bytes out(1);
  const struct {
    const char* name;
    Bytes first;
  } cases[] = {
      {"no signature", good},
      {"a signature of one byte", Bytes{'C'}},
      {"a damaged stream", Bytes{'C', 'K', 0xFF}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    codec::MsZipBlockDecoder decoder;
    EXPECT_EQ(decoder.Decode(test.first, out), codec::Error::kCorruptData);
    EXPECT_EQ(decoder.Decode(block, out), codec::Error::kCorruptData);
  }
  codec::MsZipBlockDecoder decoder;
  EXPECT_EQ(decoder.Decode(block, out), codec::Error::kOk);
  EXPECT_EQ(out, Bytes{'a'});
}

}  // namespace
}  // namespace codec_test
