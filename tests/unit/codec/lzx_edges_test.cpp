// How LZX data reads at the edges of blocks and frames, where the published descriptions say
// nothing or are wrong: settled on what both oracle decoders do, and LzxDecoder doing the same
// (refusing with 7-Zip where cabextract reads on regardless).
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "bits/code_lengths.h"
#include "lzx/lzx_decoder.h"
#include "support/lzx_builder.h"
#include "support/lzx_streams.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

using codec::LzxBlockType;
using codec::LzxToken;

constexpr unsigned kBits = 16;
constexpr LzxBlockType kVerbatim = LzxBlockType::kVerbatim;

enum class Reading { kAsMeant, kRefused, kOtherwise };  // kOtherwise: refused or misread

struct EdgeCase {
  const char* name;
  std::function<std::vector<CraftedBlock>()> frames;
  Bytes meant;
  Reading cabextract;
  Reading seven_zip;
  Reading ours;
};

void ExpectReading(const std::optional<Bytes>& got, const Bytes& meant, Reading reading,
                   const char* decoder) {
  switch (reading) {
    case Reading::kAsMeant:
      EXPECT_EQ(got, meant) << decoder;
      break;
    case Reading::kRefused:
      EXPECT_FALSE(got) << decoder;
      break;
    case Reading::kOtherwise:
      EXPECT_NE(got, meant) << decoder;
      break;
  }
}

Bytes Str(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t to) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
               bytes.begin() + static_cast<std::ptrdiff_t>(to));
}

// A verbatim block of literals, then an uncompressed block whose header ends on a word boundary;
// `whole_word` pads it with a whole word, as the format wants, else not at all.
std::vector<CraftedBlock> HeaderOnAWordBoundary(bool whole_word) {
  const codec::LzxTreeLengths flat = FlatTrees(kBits);
  for (std::uint32_t literals = 1;; ++literals) {
    LzxBuilder b(kBits);
    b.BlockHeader(kVerbatim, literals).Trees(flat, kVerbatim);
    b.Literals(Bytes(literals, 'a'), kVerbatim);
    b.BlockHeader(LzxBlockType::kUncompressed, 4);
    if (!b.at_word_boundary()) continue;
    if (whole_word) b.Bits(0, 16);
    b.Plain({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}).Plain(Str("WXYZ"));
    return b.EndFrame(static_cast<std::uint16_t>(literals + 4), false).frames();
  }
}
Bytes HeaderOnAWordBoundaryOutput() {
  Bytes out(HeaderOnAWordBoundary(true)[0].expanded_size - 4, 'a');
  const Bytes tail = Str("WXYZ");
  out.insert(out.end(), tail.begin(), tail.end());
  return out;
}

enum class Pad { kAfterBytes, kOpeningNextFrame, kNone };

// One literal, an odd uncompressed block ending the first frame, then three literals.
std::vector<CraftedBlock> OddBlockEndingAFrame(const Bytes& data, Pad pad) {
  LzxBuilder b(kBits);
  b.BlockHeader(kVerbatim, 1).Trees(FlatTrees(kBits), kVerbatim).Literals({data[0]}, kVerbatim);
  b.UncompressedHeader(32767).Plain(Slice(data, 1, 32768));
  if (pad == Pad::kAfterBytes) b.Plain({0});
  b.EndFrame(32768, false);
  if (pad == Pad::kOpeningNextFrame) b.Plain({0});
  b.BlockHeader(kVerbatim, 3).Trees(FlatTrees(kBits), kVerbatim);
  return b.Literals(Slice(data, 32768, 32771), kVerbatim).EndFrame(3).frames();
}

// One literal, then an uncompressed block of 40,000 bytes: 32,767 of them in the first frame.
std::vector<CraftedBlock> PlainBytesAcrossAFrame(const Bytes& data, bool pad_at_frame_end) {
  LzxBuilder b(kBits);
  b.BlockHeader(kVerbatim, 1).Trees(FlatTrees(kBits), kVerbatim).Literals({data[0]}, kVerbatim);
  b.UncompressedHeader(40000).Plain(Slice(data, 1, 32768));
  if (pad_at_frame_end) b.Plain({0});
  b.EndFrame(32768, false);
  return b.Plain(Slice(data, 32768, 40001)).EndFrame(40001 - 32768, false).frames();
}

// Literals 0 to 3 sent with lengths 15, 9, 8, 8, then again with 8, 8, 8, 8 through one
// same-length run whose length is sent against the first of those previous lengths.
std::vector<CraftedBlock> SameLengthRun() {
  const unsigned symbols = codec::LzxMainSymbols(kBits);
  std::vector<std::uint32_t> counts(symbols, 1);
  for (unsigned i = 0; i < 256; ++i)
    counts[i] = 1 + (i % 5) * 40;
  codec::LzxTreeLengths first = FlatTrees(kBits);
  codec::BuildCodeLengths(counts, 16, std::span(first.main).first(symbols));
  codec::LzxTreeLengths second = first;
  counts[0] = counts[1] = counts[2] = counts[3] = 100;
  codec::BuildCodeLengths(counts, 16, std::span(second.main).first(symbols));
  EXPECT_EQ(first.main[0], 15);
  EXPECT_EQ(first.main[1], 9);
  EXPECT_EQ(second.main[0], 8);

  LzxBuilder b(kBits);
  b.BlockHeader(kVerbatim, 2).Trees(first, kVerbatim).Literals({0, 1}, kVerbatim);
  b.BlockHeader(kVerbatim, 4).Pretree({0,  1,  2,  3,  4,  5,  6,  7,  8,  9,
                                       10, 11, 12, 13, 14, 15, 16, 17, 18, 19});
  auto difference = [](unsigned previous, unsigned now) { return (previous + 17 - now) % 17; };
  b.PretreeSymbol(19).Bits(0, 1);  // a run of four
  b.PretreeSymbol(difference(first.main[0], second.main[0]));
  for (unsigned i = 4; i < 256; ++i)
    b.PretreeSymbol(difference(first.main[i], second.main[i]));
  b.TreeSection(std::span(first.main).subspan(256, symbols - 256),
                std::span(second.main).subspan(256, symbols - 256));
  b.TreeSection(first.length, second.length).UseTrees(second);
  return b.Literals({0, 1, 2, 3}, kVerbatim).EndFrame(6).frames();
}

// "xyx" in a block whose literal lengths open with a same-length run of four, its length sent as
// pretree symbol 17 without extra bits: a run symbol, no length at all; read as a difference of
// 17, it keeps the lengths at 0.
std::vector<CraftedBlock> SameLengthRunOfARunSymbol() {
  LzxBuilder b(kBits);
  b.BlockHeader(kVerbatim, 3).Pretree({0, 16, 17, 19});
  b.PretreeSymbol(19).Bits(0, 1).PretreeSymbol(17);
  for (unsigned i = 4; i < 256; ++i)
    b.PretreeSymbol(i == 'x' || i == 'y' ? 16 : 0);  // 16: from length 0 to 1
  codec::LzxTreeLengths trees;
  trees.main['x'] = trees.main['y'] = 1;
  const codec::LzxTreeLengths none;
  const unsigned symbols = codec::LzxMainSymbols(kBits);
  b.TreeSection(std::span(none.main).subspan(256, symbols - 256),
                std::span(trees.main).subspan(256, symbols - 256));
  b.TreeSection(none.length, trees.length).UseTrees(trees);
  return b.Literals({'x', 'y', 'x'}, kVerbatim).EndFrame(3).frames();
}

// A verbatim block of "xxx" with the given trees.
std::vector<CraftedBlock> WithTrees(const codec::LzxTreeLengths& trees,
                                    LzxBlockType type = kVerbatim) {
  LzxBuilder b(kBits);
  b.BlockHeader(type, 3).Trees(trees, type);
  return b.Literals(Str("xxx"), type).EndFrame(3).frames();
}
codec::LzxTreeLengths TwoLiterals() {
  codec::LzxTreeLengths trees;
  trees.main['x'] = 1;
  trees.main['y'] = 1;
  return trees;
}

// A pretree section coding the main tree's match symbols as zeros with a pretree of one code (or
// of two, with a run of zeros past the tree's end).
std::vector<CraftedBlock> MatchSymbolsAsZeros(bool overlong) {
  const codec::LzxTreeLengths trees = TwoLiterals();
  const codec::LzxTreeLengths none;
  LzxBuilder b(kBits);
  b.BlockHeader(kVerbatim, 3);
  b.TreeSection(std::span(none.main).first(256), std::span(trees.main).first(256));
  if (overlong) {
    b.Pretree({17, 18});
  } else {
    b.Pretree({18});
  }
  // 144 zeros: 51 + 51 + 42, or 51 three times.
  for (const unsigned run :
       overlong ? std::vector<unsigned>{51, 51, 51} : std::vector<unsigned>{51, 51, 42}) {
    b.PretreeSymbol(18).Bits(run - 20, 5);
  }
  b.TreeSection(none.length, trees.length).UseTrees(trees);
  return b.Literals(Str("xxx"), kVerbatim).EndFrame(3).frames();
}

TEST(LzxEdgesTest, ReadAsBothOraclesReadThem) {
  const Bytes data = RandomBytes(40001, 31);
  const codec::LzxTreeLengths flat = FlatTrees(kBits);
  constexpr Reading kAsMeant = Reading::kAsMeant;
  constexpr Reading kRefused = Reading::kRefused;
  constexpr Reading kOtherwise = Reading::kOtherwise;
  const EdgeCase cases[] = {
      {"an uncompressed header ending on a word pads a whole word",
       [] { return HeaderOnAWordBoundary(true); }, HeaderOnAWordBoundaryOutput(), kAsMeant,
       kAsMeant, kAsMeant},
      {"... and not nothing", [] { return HeaderOnAWordBoundary(false); },
       HeaderOnAWordBoundaryOutput(), kOtherwise, kRefused, kRefused},
      {"an odd uncompressed block ends with a padding byte",
       [] {
         LzxBuilder b(kBits);
         b.UncompressedHeader(5).Plain(Str("ABCDE")).Plain({0});
         b.BlockHeader(kVerbatim, 3).Trees(FlatTrees(kBits), kVerbatim);
         return b.Literals(Str("xyz"), kVerbatim).EndFrame(8).frames();
       },
       Str("ABCDExyz"), kAsMeant, kAsMeant, kAsMeant},
      {"... which may not be left out",
       [] {
         LzxBuilder b(kBits);
         b.UncompressedHeader(5).Plain(Str("ABCDE"));
         b.BlockHeader(kVerbatim, 3).Trees(FlatTrees(kBits), kVerbatim);
         return b.Literals(Str("xyz"), kVerbatim).EndFrame(8).frames();
       },
       Str("ABCDExyz"), kOtherwise, kRefused, kRefused},
      {"a padding byte after a frame's last byte may end that frame",
       [&] { return OddBlockEndingAFrame(data, Pad::kAfterBytes); }, Slice(data, 0, 32771),
       kAsMeant, kAsMeant, kAsMeant},
      {"... or open the next one",
       [&] { return OddBlockEndingAFrame(data, Pad::kOpeningNextFrame); }, Slice(data, 0, 32771),
       kAsMeant, kAsMeant, kAsMeant},
      {"... but not be left out", [&] { return OddBlockEndingAFrame(data, Pad::kNone); },
       Slice(data, 0, 32771), kOtherwise, kRefused, kRefused},
      {"the folder's last block may go without it",
       [] {
         return LzxBuilder(kBits)
             .UncompressedHeader(5)
             .Plain(Str("ABCDE"))
             .EndFrame(5, false)
             .frames();
       },
       Str("ABCDE"), kAsMeant, kAsMeant, kAsMeant},
      {"plain bytes run on across a frame's end, after an odd count too",
       [&] { return PlainBytesAcrossAFrame(data, false); }, data, kAsMeant, kAsMeant, kAsMeant},
      {"... with no padding there", [&] { return PlainBytesAcrossAFrame(data, true); }, data,
       kOtherwise, kRefused, kRefused},
      {"blocks of no bytes are taken",
       [&] {
         LzxBuilder b(kBits);
         b.BlockHeader(kVerbatim, 0).Trees(flat, kVerbatim).UncompressedHeader(0);
         b.BlockHeader(kVerbatim, 3).Trees(flat, kVerbatim);
         return b.Literals(Str("xyz"), kVerbatim).EndFrame(3).frames();
       },
       Str("xyz"), kAsMeant, kAsMeant, kAsMeant},
      {"a block may announce more than the folder holds",
       [&] {
         LzxBuilder b(kBits);
         b.BlockHeader(kVerbatim, 100).Trees(flat, kVerbatim);
         return b.Literals(Str("xyz"), kVerbatim).EndFrame(3).frames();
       },
       Str("xyz"), kAsMeant, kAsMeant, kAsMeant},
      {"an uncompressed block's R0-R2 serve later repeats",
       [&] {
         LzxBuilder b(kBits);
         b.UncompressedHeader(8, {3, 5, 7}).Plain(Str("abcdefgh"));
         b.BlockHeader(kVerbatim, 9).Trees(flat, kVerbatim);
         const LzxToken repeats[] = {LzxToken::Match(3, 1), LzxToken::Match(3, 2),
                                     LzxToken::Match(3, 0)};
         return b.Tokens(repeats, kVerbatim).EndFrame(17).frames();
       },
       Str("abcdefghdefefghde"), kAsMeant, kAsMeant, kAsMeant},
      {"a match may not run past its block",
       [&] {
         LzxBuilder b(kBits);
         b.BlockHeader(kVerbatim, 5).Trees(flat, kVerbatim);
         const LzxToken tokens[] = {LzxToken::Literal('a'), LzxToken::Match(10, 3)};
         b.Tokens(tokens, kVerbatim).BlockHeader(kVerbatim, 3).Trees(flat, kVerbatim);
         return b.Literals(Str("xyz"), kVerbatim).EndFrame(14).frames();
       },
       Str("aaaaaaaaaaaxyz"), kRefused, kRefused, kRefused},
      {"a match may not run past its frame",
       [&] {
         LzxBuilder b(kBits);
         b.UncompressedHeader(32767).Plain(Bytes(32767, 'a')).Plain({0});
         b.BlockHeader(kVerbatim, 10).Trees(flat, kVerbatim);
         const LzxToken match[] = {LzxToken::Match(10, 3)};
         return b.Tokens(match, kVerbatim).EndFrame(32768).EndFrame(9).frames();
       },
       Bytes(32777, 'a'), kRefused, kRefused, kRefused},
      {"a match may not reach before the folder's start",
       [&] {
         LzxBuilder b(kBits);
         b.BlockHeader(kVerbatim, 4).Trees(flat, kVerbatim);
         const LzxToken tokens[] = {LzxToken::Literal('x'), LzxToken::Match(3, 4)};
         return b.Tokens(tokens, kVerbatim).EndFrame(4).frames();
       },
       Str("xxxx"), kRefused, kRefused, kRefused},
      {"... nor may a repeat",
       [&] {
         LzxBuilder b(kBits);
         b.BlockHeader(kVerbatim, 3).Trees(flat, kVerbatim);
         const LzxToken repeat[] = {LzxToken::Match(3, 0)};
         return b.Tokens(repeat, kVerbatim).EndFrame(3).frames();
       },
       Bytes(3, 0), kRefused, kRefused, kRefused},
      {"only the last frame may be short",
       [&] {
         LzxBuilder b(kBits);
         b.BlockHeader(kVerbatim, 6).Trees(flat, kVerbatim).Literals(Str("xyz"), kVerbatim);
         return b.EndFrame(3).Literals(Str("uvw"), kVerbatim).EndFrame(3).frames();
       },
       Str("xyzuvw"), kRefused, kRefused, kRefused},
      {"a frame's data holds nothing after its last word",
       [&] {
         LzxBuilder b(kBits);
         b.BlockHeader(kVerbatim, 3).Trees(flat, kVerbatim).Literals(Str("xyz"), kVerbatim);
         return b.AlignToWord().Plain({0, 0}).EndFrame(3).frames();
       },
       Str("xyz"), kAsMeant, kRefused, kRefused},
      {"a same-length run takes the first previous length of its run", SameLengthRun,
       Bytes{0, 1, 0, 1, 2, 3}, kAsMeant, kAsMeant, kAsMeant},
      {"a same-length run's length may not be a run symbol", SameLengthRunOfARunSymbol, Str("xyx"),
       kAsMeant, kRefused, kRefused},
      {"an all-zero length tree is taken", [] { return WithTrees(TwoLiterals()); }, Str("xxx"),
       kAsMeant, kAsMeant, kAsMeant},
      {"a main tree of one code is not",
       [] {
         codec::LzxTreeLengths trees;
         trees.main['x'] = 1;
         return WithTrees(trees);
       },
       Str("xxx"), kRefused, kRefused, kRefused},
      {"nor a length tree of one code",
       [] {
         codec::LzxTreeLengths trees = TwoLiterals();
         trees.length[0] = 1;
         return WithTrees(trees);
       },
       Str("xxx"), kRefused, kRefused, kRefused},
      {"nor an all-zero aligned tree, even unused",
       [] { return WithTrees(TwoLiterals(), LzxBlockType::kAligned); }, Str("xxx"), kRefused,
       kRefused, kRefused},
      {"nor a pretree of one code", [] { return MatchSymbolsAsZeros(false); }, Str("xxx"), kRefused,
       kRefused, kRefused},
      {"nor a run past the end of its tree", [] { return MatchSymbolsAsZeros(true); }, Str("xxx"),
       kRefused, kRefused, kRefused},
  };
  for (const EdgeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<CraftedBlock> frames = c.frames();
    ExpectReading(ExtractLzxFolder(Oracle::kCabextract, frames, kBits), c.meant, c.cabextract,
                  "cabextract");
    ExpectReading(ExtractLzxFolder(Oracle::kSevenZip, frames, kBits), c.meant, c.seven_zip,
                  "7-Zip");
    ExpectReading(DecodeLzxFolder(frames, kBits), c.meant, c.ours, "LzxDecoder");
  }
}

}  // namespace
}  // namespace codec_test
