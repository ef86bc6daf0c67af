// Streams at the edges of what DEFLATE and an MSZIP block allow, written by hand: our inflater
// must accept each and give what zlib gives.
#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "support/deflate_stream.h"
#include "support/inflate_verdicts.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

constexpr bool kFinal = true;
constexpr bool kNotFinal = false;
constexpr unsigned kStored = 0;
constexpr unsigned kFixed = 1;

struct Case {
  std::string name;
  Bytes stream;
  Bytes history;
  std::size_t size = 0;
};

DeflateStream Fixed(bool final) {
  DeflateStream stream;
  stream.Header(final, kFixed);
  return stream;
}

Bytes WholeBlockOfRuns() {
  // One literal, then 127 matches of 258 at distance 1, then one literal: exactly 32 KiB.
  DeflateStream stream = Fixed(kFinal);
  stream.Literal('x');
  for (int i = 0; i < 127; ++i)
    stream.Match(258, 1);
  return stream.Literal('y').EndOfBlock().Bytes();
}

Bytes EveryShortPeriod() {
  DeflateStream stream = Fixed(kFinal);
  for (std::uint8_t byte = 'a'; byte < 'a' + 16; ++byte)
    stream.Literal(byte);
  for (unsigned distance = 1; distance <= 16; ++distance)
    stream.Match(30, distance);
  return stream.EndOfBlock().Bytes();
}

Bytes FarthestFromInside() {
  // 16 KiB copied from a history of 16 KiB, then a match 32 KiB back, to its first byte.
  DeflateStream stream = Fixed(kFinal);
  for (int i = 0; i < 63; ++i)
    stream.Match(258, 16384);
  return stream.Match(130, 16384).Match(258, 32768).EndOfBlock().Bytes();
}

Bytes ThenEmptyCodeLengthCode(std::size_t zero_bits) {
  DeflateStream stream = Fixed(kNotFinal);
  stream.Literal('a').EndOfBlock().CodeLengthCode(kFinal, 257, 1, {});
  for (std::size_t i = 0; i < zero_bits; ++i)
    stream.Bits(0, 1);
  return stream.Bytes();
}

// Literal/length code: 'a' in 1 bit, end of block and length 3 in 2; distance code: one 1-bit
// code for distance 1.
Bytes OneDistanceCode() {
  std::vector<std::uint8_t> literal_lengths(258, 0);
  literal_lengths['a'] = 1;
  literal_lengths[256] = 2;
  literal_lengths[257] = 2;
  DeflateStream stream;
  stream.DynamicHeader(kFinal, literal_lengths, {1});
  return stream.Code(0, 1).Code(3, 2).Code(0, 1).Code(2, 2).Bytes();
}

// Literals only: 'a' and the end of block in 1 bit each, no distance code at all.
Bytes NoDistanceCode() {
  std::vector<std::uint8_t> literal_lengths(257, 0);
  literal_lengths['a'] = 1;
  literal_lengths[256] = 1;
  DeflateStream stream;
  stream.DynamicHeader(kFinal, literal_lengths, {0});
  return stream.Code(0, 1).Code(0, 1).Code(1, 1).Bytes();
}

Bytes WithTrailingBytes() {
  Bytes stream = Fixed(kFinal).Literal('a').EndOfBlock().Bytes();
  stream.insert(stream.end(), {0xFF, 0x00, 0x13});
  return stream;
}

TEST(InflateEdgesTest, AcceptsWhatZlibAccepts) {
  const Bytes history = RandomBytes(32768, 9);
  const Bytes half_history(history.begin(), history.begin() + 16384);
  const Bytes text = Text(1500, 4);
  const Case cases[] = {
      {"one byte", Fixed(kFinal).Literal('A').EndOfBlock().Bytes(), {}, 1},
      {"length 258 by its own symbol",
       Fixed(kFinal).Literal('a').Match(258, 1).EndOfBlock().Bytes(),
       {},
       259},
      {"length 258 by symbol 284 and all its extra bits",
       Fixed(kFinal).Literal('a').Symbol(284).Bits(31, 5).DistanceSymbol(0).EndOfBlock().Bytes(),
       {},
       259},
      {"length 257", Fixed(kFinal).Literal('a').Match(257, 1).EndOfBlock().Bytes(), {}, 258},
      {"runs of distance 1 over a whole block", WholeBlockOfRuns(), {}, 32768},
      {"every period from 1 to 16", EveryShortPeriod(), {}, 16 + 16 * 30},
      {"distance 32768 into the history", Fixed(kFinal).Match(258, 32768).EndOfBlock().Bytes(),
       history, 258},
      {"distance 32768 from inside the block", FarthestFromInside(), half_history, 16384 + 258},
      {"a match from the history running on into the block",
       Fixed(kFinal).Match(10, 3).Literal('z').Match(40, 20).EndOfBlock().Bytes(), history, 51},
      {"no final block, the output exactly full",
       Fixed(kNotFinal).Literal('a').Literal('b').EndOfBlock().Bytes(),
       {},
       2},
      {"bytes after the final block", WithTrailingBytes(), {}, 1},
      {"a full output, then a block header cut short",
       Fixed(kNotFinal).Literal('a').EndOfBlock().Header(kNotFinal, 2).Bits(5, 4).Bytes(),
       {},
       1},
      {"a full output, then empty blocks",
       Fixed(kNotFinal)
           .Literal('a')
           .EndOfBlock()
           .Stored(kNotFinal, {})
           .Header(kFinal, kFixed)
           .EndOfBlock()
           .Bytes(),
       {},
       1},
      {"a full output, then an empty code-length code cut short",
       ThenEmptyCodeLengthCode(100),
       {},
       1},
      {"stored blocks",
       DeflateStream()
           .Stored(kNotFinal, Bytes(text.begin(), text.begin() + 1000))
           .Stored(kFinal, Bytes(text.begin() + 1000, text.end()))
           .Bytes(),
       {},
       1500},
      {"a single one-bit distance code", OneDistanceCode(), {}, 4},
      {"no distance code", NoDistanceCode(), {}, 2},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    const Verdict theirs = ZlibVerdict(test.stream, test.history, test.size);
    ASSERT_TRUE(theirs.ok);
    const Verdict ours = OurVerdict(test.stream, test.history, test.size);
    EXPECT_TRUE(ours.ok);
    EXPECT_EQ(ours.bytes, theirs.bytes);
  }
}

}  // namespace
}  // namespace codec_test
