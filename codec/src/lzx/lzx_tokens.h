// What an LZX encoder hands the stream writer: the items of a compressed block and the code
// lengths of its trees, and how each item maps onto the trees' symbols.
#pragma once

#include <array>
#include <cstdint>
#include <utility>

#include "lzx/lzx_format.h"

namespace codec {

// One item of a compressed block: a literal byte, or a match of `length` bytes (2 to 257) at a
// formatted offset: 0, 1 or 2 to repeat the distance held in R0, R1 or R2, else the distance plus
// 2 (LzxDistance() makes it).
struct LzxToken {
  std::uint32_t value = 0;   // a literal's byte, or a match's formatted offset
  std::uint16_t length = 0;  // 0 for a literal

  static constexpr LzxToken Literal(std::uint8_t byte) { return {byte, 0}; }
  static constexpr LzxToken Match(std::uint32_t length, std::uint32_t formatted_offset) {
    return {formatted_offset, static_cast<std::uint16_t>(length)};
  }
  constexpr bool is_literal() const { return length == 0; }
  // Bytes of output.
  constexpr std::uint32_t size() const { return length == 0 ? 1 : length; }
  friend constexpr bool operator==(const LzxToken&, const LzxToken&) = default;
};

// The formatted offset of a plain match `distance` bytes back (1 to window size - 3).
constexpr std::uint32_t LzxDistance(std::uint32_t distance) {
  return distance + kLzxOffsetBias;
}

// Code lengths of a compressed block's trees (0: symbol unused, else 1 to 16; aligned: 1 to 7).
// Only the first LzxMainSymbols(window_bits) main lengths belong to the stream.
struct LzxTreeLengths {
  std::array<std::uint8_t, kLzxMaxMainSymbols> main{};
  std::array<std::uint8_t, kLzxLengthSymbols> length{};
  std::array<std::uint8_t, kLzxAlignedSymbols> aligned{};
};
inline constexpr unsigned kLzxMaxAlignedLength = (1u << kLzxAlignedLengthBits) - 1;

// How a token is coded: its main symbol, then for long matches a length symbol, then the slot's
// extra bits: in an aligned block, those above the low three as plain bits and the low three as
// an aligned symbol when the slot has three or more, else all as plain bits.
struct LzxTokenCode {
  std::uint16_t main_symbol = 0;
  bool has_length_symbol = false;
  std::uint8_t length_symbol = 0;
  std::uint8_t plain_bits = 0;  // how many
  std::uint32_t plain = 0;      // their value
  bool has_aligned_symbol = false;
  std::uint8_t aligned_symbol = 0;
};

// Whether a match token's length and formatted offset fit the format and the window.
constexpr bool IsValidMatch(const LzxToken& token, unsigned window_bits) {
  return token.length >= kLzxMinMatch && token.length <= kLzxMaxMatch &&
         token.value < kLzxSlots.base[LzxPositionSlots(window_bits)];
}

// The coding of a literal, or of a match for which IsValidMatch() holds.
constexpr LzxTokenCode CodeOf(const LzxToken& token, LzxBlockType type) {
  LzxTokenCode code;
  if (token.is_literal()) {
    code.main_symbol = static_cast<std::uint16_t>(token.value);
    return code;
  }
  const unsigned slot = LzxSlotOf(token.value);
  const std::uint32_t header = token.length - kLzxMinMatch;
  code.main_symbol =
      static_cast<std::uint16_t>(kLzxLiterals + slot * kLzxLengthHeaders +
                                 (header < kLzxLongLengthHeader ? header : kLzxLongLengthHeader));
  if (header >= kLzxLongLengthHeader) {
    code.has_length_symbol = true;
    code.length_symbol = static_cast<std::uint8_t>(header - kLzxLongLengthHeader);
  }
  const unsigned extra = kLzxSlots.extra_bits[slot];
  const std::uint32_t footer = token.value - kLzxSlots.base[slot];
  if (type == LzxBlockType::kAligned && extra >= kLzxAlignedBits) {
    code.plain_bits = static_cast<std::uint8_t>(extra - kLzxAlignedBits);
    code.plain = footer >> kLzxAlignedBits;
    code.has_aligned_symbol = true;
    code.aligned_symbol = static_cast<std::uint8_t>(footer & (kLzxAlignedSymbols - 1));
  } else {
    code.plain_bits = static_cast<std::uint8_t>(extra);
    code.plain = footer;
  }
  return code;
}

// The repeated offsets after a match at `formatted_offset`: a repeat swaps the offset it uses to
// the front, a new distance pushes the others back.
constexpr void UpdateRepeated(LzxRepeated& repeated, std::uint32_t formatted_offset) {
  if (formatted_offset >= kLzxRepeatedOffsets) {
    repeated = {formatted_offset - kLzxOffsetBias, repeated[0], repeated[1]};
  } else {
    std::swap(repeated[0], repeated[formatted_offset]);
  }
}

}  // namespace codec
