// The fixed layout of LZX data in a cabinet folder: frames, blocks, trees, match offsets, shared by
// the decoder and the stream writer.
//
// A folder's data is a bit stream of 16-bit little-endian words read from their top bit. It opens
// with the x86 translation header, then holds blocks, each a 3-bit type, a 24-bit expanded size
// and the block's contents. The output is cut into frames of 32 KiB (one per cabinet data block);
// at the end of each frame the bit stream pads to a word, so that every frame's coded bytes stand
// alone. Blocks, trees, repeated offsets and the window run on across frames.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "bits/code_lengths.h"

namespace codec {

inline constexpr unsigned kLzxMinWindowBits = 15;
inline constexpr unsigned kLzxMaxWindowBits = 21;
inline constexpr std::size_t kLzxFrameSize = 32768;

enum class LzxBlockType : std::uint8_t { kVerbatim = 1, kAligned = 2, kUncompressed = 3 };
inline constexpr unsigned kLzxBlockTypeBits = 3;
inline constexpr unsigned kLzxBlockSizeBits = 24;
inline constexpr std::uint32_t kLzxMaxBlockSize = (1u << kLzxBlockSizeBits) - 1;

// The header: one bit for the x86 call translation, then when set its 32-bit translation size,
// which must stay below 2^31: decoders compare it as a signed number, and disagree above.
inline constexpr std::uint32_t kLzxMaxTranslationSize = 0x7FFFFFFF;
inline constexpr unsigned kLzxTranslationSizeBits = 32;
// Only the first 32768 frames (1 GiB) are translated.
inline constexpr std::uint64_t kLzxTranslatedFrames = 32768;

inline constexpr std::uint32_t kLzxMinMatch = 2;
inline constexpr std::uint32_t kLzxMaxMatch = 257;

// The main tree codes a literal (0-255) or a match's position slot and length header:
// 256 + slot * 8 + header, the header being min(length - 2, 7); header 7 adds a symbol of the
// length tree, length - 9.
inline constexpr unsigned kLzxLiterals = 256;
inline constexpr unsigned kLzxLengthHeaders = 8;
inline constexpr std::uint32_t kLzxLongLengthHeader = kLzxLengthHeaders - 1;
inline constexpr unsigned kLzxLengthSymbols = 249;
inline constexpr unsigned kLzxMaxPositionSlots = 50;
inline constexpr unsigned kLzxMaxMainSymbols =
    kLzxLiterals + kLzxMaxPositionSlots * kLzxLengthHeaders;

// Trees must fill their code space, but for an all-zero length tree (a block without matches of
// 9 bytes or more): neither oracle decoder takes any other incomplete tree, not even one symbol.
inline constexpr IncompleteCodes kLzxLengthTreeIncomplete = IncompleteCodes::kEmpty;
inline constexpr IncompleteCodes kLzxOtherTreesIncomplete = IncompleteCodes::kNone;

// Aligned blocks code the low three bits of offsets with 3+ extra bits in an 8-symbol tree sent
// as plain 3-bit lengths.
inline constexpr unsigned kLzxAlignedSymbols = 8;
inline constexpr unsigned kLzxAlignedBits = 3;
inline constexpr unsigned kLzxAlignedLengthBits = 3;

// The main and length trees are sent as differences from their previous lengths, coded with a
// pretree of 20 symbols sent as plain 4-bit lengths: 0-16 a new length (previous - symbol) mod
// 17, 17 and 18 runs of zeros, 19 a short run of one new length.
inline constexpr unsigned kLzxPretreeSymbols = 20;
inline constexpr unsigned kLzxPretreeLengthBits = 4;
inline constexpr unsigned kLzxLengthModulus = 17;
// A run symbol repeats over base + (its extra bits) lengths.
struct LzxRunCode {
  unsigned symbol;
  unsigned base;
  unsigned bits;
  constexpr unsigned longest() const { return base + (1u << bits) - 1; }
};
inline constexpr LzxRunCode kLzxShortZeros{17, 4, 4};
inline constexpr LzxRunCode kLzxLongZeros{18, 20, 5};
inline constexpr LzxRunCode kLzxSameLengths{19, 4, 1};  // then the symbol of the length

// Offsets as the stream carries them: 0, 1 and 2 name the repeated offsets R0, R1, R2; anything
// else is the match distance plus 2. Each position slot covers a range of them: its base and as
// many extra bits as the slot gives.
inline constexpr std::uint32_t kLzxRepeatedOffsets = 3;
inline constexpr std::uint32_t kLzxOffsetBias = 2;
inline constexpr unsigned kLzxMaxExtraBits = 17;

struct LzxSlots {
  std::array<std::uint8_t, kLzxMaxPositionSlots> extra_bits{};
  std::array<std::uint32_t, kLzxMaxPositionSlots + 1> base{};
};
inline constexpr LzxSlots kLzxSlots = [] {
  LzxSlots slots;
  for (unsigned slot = 0; slot < kLzxMaxPositionSlots; ++slot) {
    const unsigned extra = slot < 4 ? 0 : (slot - 2) / 2;
    slots.extra_bits[slot] =
        static_cast<std::uint8_t>(extra < kLzxMaxExtraBits ? extra : kLzxMaxExtraBits);
    slots.base[slot + 1] = slots.base[slot] + (1u << slots.extra_bits[slot]);
  }
  return slots;
}();

// The number of position slots of a window: enough for offsets up to the window size, so that
// distances stay within window - 3.
constexpr unsigned LzxPositionSlots(unsigned window_bits) {
  unsigned slots = 0;
  while (kLzxSlots.base[slots] < (1u << window_bits))
    ++slots;
  return slots;
}
constexpr unsigned LzxMainSymbols(unsigned window_bits) {
  return kLzxLiterals + LzxPositionSlots(window_bits) * kLzxLengthHeaders;
}

// The slot of a formatted offset: two slots per power of two, until the slots reach 17 extra bits
// (from offset 2^18 on), after which each slot covers 2^17 offsets.
constexpr unsigned LzxSlotOf(std::uint32_t formatted_offset) {
  if (formatted_offset < 4) return formatted_offset;
  if (formatted_offset >= (1u << 18)) return 34 + (formatted_offset >> kLzxMaxExtraBits);
  const auto top = static_cast<unsigned>(std::bit_width(formatted_offset)) - 1;
  return 2 * top + ((formatted_offset >> (top - 1)) & 1u);
}

// The repeated offsets, most recent first; each folder starts with all three at 1.
using LzxRepeated = std::array<std::uint32_t, 3>;
inline constexpr LzxRepeated kLzxInitialRepeated{1, 1, 1};

}  // namespace codec
