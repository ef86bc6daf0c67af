// Damaged and cut LZX data: LzxDecoder refuses it with kCorruptData and stays failed, without
// reading or writing outside its buffers (the sanitizer build checks that).
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

#include "lzx/lzx_decoder.h"
#include "support/lzx_builder.h"
#include "support/lzx_streams.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

using codec::Error;
using codec::LzxBlockType;
using codec::LzxToken;

constexpr unsigned kBits = 16;
constexpr LzxBlockType kVerbatim = LzxBlockType::kVerbatim;

// Decodes every frame; the first error, and that the decoder keeps returning it.
Error DecodeAll(const std::vector<CraftedBlock>& frames, unsigned window_bits = kBits) {
  codec::LzxDecoder decoder(window_bits);
  for (const CraftedBlock& frame : frames) {
    Bytes out(frame.expanded_size);
    const Error error = decoder.Decode(frame.coded, out);
    if (error != Error::kOk) {
      Bytes again(16);
      EXPECT_EQ(decoder.Decode(Bytes(8, 0), again), error);
      return error;
    }
  }
  return Error::kOk;
}

LzxBuilder Verbatim(const codec::LzxTreeLengths& trees, std::uint32_t size) {
  LzxBuilder b(kBits);
  b.BlockHeader(kVerbatim, size).Trees(trees, kVerbatim);
  return b;
}

TEST(LzxDamageTest, ImpossibleStreamsAreRefused) {
  const codec::LzxTreeLengths flat = FlatTrees(kBits);
  const Bytes xyz{'x', 'y', 'z'};
  // Four plain bytes with R0 set to `r0`, then a repeat of it.
  auto repeat_of = [&](std::uint32_t r0) {
    LzxBuilder b(kBits);
    b.UncompressedHeader(4, {r0, 1, 1}).Plain({1, 2, 3, 4});
    b.BlockHeader(kVerbatim, 3).Trees(flat, kVerbatim);
    const LzxToken repeat[] = {LzxToken::Match(3, 0)};
    return b.Tokens(repeat, kVerbatim).EndFrame(7).frames();
  };
  auto with_main = [&](std::initializer_list<std::pair<int, std::uint8_t>> lengths) {
    codec::LzxTreeLengths trees;
    for (const auto& [symbol, length] : lengths)
      trees.main[static_cast<std::size_t>(symbol)] = length;
    return trees;
  };
  const struct {
    const char* name;
    std::function<std::vector<CraftedBlock>()> frames;
  } cases[] = {
      {"block type 0", [] { return LzxBuilder(kBits).Bits(0, 27).EndFrame(3).frames(); }},
      {"block type 4", [] { return LzxBuilder(kBits).Bits(4u << 24, 27).EndFrame(3).frames(); }},
      {"block type 7", [] { return LzxBuilder(kBits).Bits(7u << 24, 27).EndFrame(3).frames(); }},
      {"a translation size of 2^31",
       [&] {
         LzxBuilder b(kBits, 0x80000000u);
         b.BlockHeader(kVerbatim, 3).Trees(flat, kVerbatim);
         return b.Literals(xyz, kVerbatim).EndFrame(3).frames();
       }},
      {"an over-subscribed main tree",
       [&] {
         return Verbatim(with_main({{'x', 1}, {'y', 1}, {'z', 1}}), 3)
             .Literals(xyz, kVerbatim)
             .EndFrame(3)
             .frames();
       }},
      {"a main tree with room left",
       [&] {
         return Verbatim(with_main({{'x', 1}, {'y', 2}, {'z', 3}}), 3)
             .Literals(xyz, kVerbatim)
             .EndFrame(3)
             .frames();
       }},
      {"a long match with an all-zero length tree",
       [&] {
         codec::LzxTreeLengths trees = with_main({{'x', 1}, {256 + 3 * 8 + 7, 1}});
         const LzxToken tokens[] = {LzxToken::Literal('x'), LzxToken::Match(20, 3)};
         return Verbatim(trees, 21).Tokens(tokens, kVerbatim).EndFrame(21).frames();
       }},
      {"an over-subscribed aligned tree",
       [&] {
         codec::LzxTreeLengths trees = flat;
         trees.aligned.fill(2);
         LzxBuilder b(kBits);
         b.BlockHeader(LzxBlockType::kAligned, 3).Trees(trees, LzxBlockType::kAligned);
         return b.Literals(xyz, LzxBlockType::kAligned).EndFrame(3).frames();
       }},
      {"an over-subscribed pretree",
       [] {
         LzxBuilder b(kBits);
         b.BlockHeader(kVerbatim, 3);
         for (int i = 0; i < 20; ++i)
           b.Bits(1, 4);
         return b.Bits(0, 32).EndFrame(3).frames();
       }},
      {"a repeat of R0 = 0 from an uncompressed block", [&] { return repeat_of(0); }},
      {"a repeat beyond the window from an uncompressed block",
       [&] { return repeat_of(0xFFFFFFFF); }},
      {"an uncompressed header cut inside R0-R2",
       [] {
         LzxBuilder b(kBits);
         b.BlockHeader(LzxBlockType::kUncompressed, 4).AlignToWord().Plain({1, 0, 0, 0, 1});
         return b.EndFrame(4, false).frames();
       }},
      {"plain bytes cut short",
       [] {
         return LzxBuilder(kBits)
             .UncompressedHeader(6)
             .Plain({1, 2, 3})
             .EndFrame(6, false)
             .frames();
       }},
      {"a padding byte due at the next frame's start that has none",
       [&] {
         LzxBuilder b = Verbatim(flat, 1);
         b.Literals({'x'}, kVerbatim).UncompressedHeader(32767).Plain(Bytes(32767, 7));
         return b.EndFrame(32768, false).EndFrame(1, false).frames();
       }},
      {"compressed data cut short",
       [&] { return Verbatim(flat, 3).Literals({'x'}, kVerbatim).EndFrame(3).frames(); }},
      {"no data at all",
       [] {
         return std::vector<CraftedBlock>{{Bytes{}, 3, {}}};
       }},
      {"a frame of no bytes",
       [&] { return Verbatim(flat, 3).Literals(xyz, kVerbatim).EndFrame(0).frames(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeAll(c.frames()), Error::kCorruptData);
  }
}

TEST(LzxDamageTest, WindowsAndFramesOutsideTheFormatAreRefused) {
  const std::vector<CraftedBlock> frames =
      Verbatim(FlatTrees(kBits), 3).Literals({'x', 'y', 'z'}, kVerbatim).EndFrame(3).frames();
  for (const unsigned bits : {0u, 14u, 22u, 32u}) {
    SCOPED_TRACE(bits);
    EXPECT_EQ(DecodeAll(frames, bits), Error::kCorruptData);
  }
  codec::LzxDecoder decoder(kBits);
  Bytes too_big(codec::kLzxFrameSize + 1);
  EXPECT_EQ(decoder.Decode(frames[0].coded, too_big), Error::kCorruptData);
}

// A folder of three frames, cut after each byte near each frame's start and end, and every 97
// bytes between: the frames before decode, the cut one is refused.
TEST(LzxDamageTest, EveryCutIsRefused) {
  Bytes data = BinaryLike(80000, 41);
  LzxPlan plan;
  plan.type = LzxBlockType::kAligned;
  plan.block_size = 20000;
  plan.uncompressed_every_third = true;
  plan.translation_size = 1000000;
  const std::vector<CraftedBlock> frames = LzxFolder(data, plan);
  ASSERT_EQ(frames.size(), 3u);
  for (std::size_t cut_frame = 0; cut_frame < frames.size(); ++cut_frame) {
    const std::size_t size = frames[cut_frame].coded.size();
    for (std::size_t keep = 0; keep < size; keep += (keep < 64 || keep + 64 > size) ? 1 : 97) {
      std::vector<CraftedBlock> cut(frames.begin(),
                                    frames.begin() + static_cast<std::ptrdiff_t>(cut_frame) + 1);
      cut.back().coded.resize(keep);
      ASSERT_EQ(DecodeAll(cut), Error::kCorruptData) << "frame " << cut_frame << ", " << keep;
    }
  }
}

// Random bytes of a folder changed: every frame decodes to its size or is refused.
TEST(LzxDamageTest, DamagedBytesNeverBreakTheDecoder) {
  const Bytes data = Text(70000, 42);
  std::mt19937 random(43);
  for (const LzxBlockType type : {LzxBlockType::kVerbatim, LzxBlockType::kAligned}) {
    LzxPlan plan;
    plan.window_bits = 15;
    plan.type = type;
    plan.block_size = 25000;
    plan.uncompressed_every_third = true;
    plan.translation_size = 30000;
    const std::vector<CraftedBlock> frames = LzxFolder(data, plan);
    for (int trial = 0; trial < 300; ++trial) {
      std::vector<CraftedBlock> damaged = frames;
      for (int change = 0; change < 1 + trial % 3; ++change) {
        Bytes& coded = damaged[random() % damaged.size()].coded;
        coded[random() % coded.size()] ^= static_cast<std::uint8_t>(1 + random() % 255);
      }
      const Error error = DecodeAll(damaged, plan.window_bits);
      EXPECT_TRUE(error == Error::kOk || error == Error::kCorruptData);
    }
  }
}

}  // namespace
}  // namespace codec_test
