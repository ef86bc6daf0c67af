// The fixed numbers of the Quantum method: its parameters, its frames, and the slots that code a
// match's position and length, each slot a base to which raw extra bits are added.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace codec::quantum {

inline constexpr unsigned kMinLevel = 1;
inline constexpr unsigned kMaxLevel = 7;
inline constexpr unsigned kMinWindowBits = 10;
inline constexpr unsigned kMaxWindowBits = 21;

// Output of one frame: the coder starts afresh at each frame, the models and window carry on.
inline constexpr std::size_t kFrameSize = 32768;

// Selectors 0-3 pick the literal model of bytes 64*s..64*s+63; 4 and 5 a match of 3 and of 4
// bytes; 6 a longer match, whose length slot comes before its position slot.
inline constexpr unsigned kLiteralModels = 4;
inline constexpr unsigned kLiteralsPerModel = 64;
inline constexpr unsigned kSelectors = 7;
inline constexpr unsigned kSelectorMatch3 = 4;
inline constexpr unsigned kSelectorMatch4 = 5;
inline constexpr unsigned kSelectorLongMatch = 6;

inline constexpr std::uint32_t kMinLongMatch = 5;
inline constexpr unsigned kLengthSlots = 27;
// Two position slots per window bit; the models of 3- and 4-byte matches stop at 24 and 36.
inline constexpr unsigned kMaxPositionSlots = 2 * kMaxWindowBits;
inline constexpr unsigned kMatch3Slots = 24;
inline constexpr unsigned kMatch4Slots = 36;

inline constexpr std::array<std::uint8_t, kMaxPositionSlots> kPositionExtra = [] {
  std::array<std::uint8_t, kMaxPositionSlots> extra{};
  for (unsigned slot = 4; slot < kMaxPositionSlots; ++slot)
    extra[slot] = static_cast<std::uint8_t>(slot / 2 - 1);
  return extra;
}();

// A position slot's first value; the match's distance is that plus the extra bits plus one.
inline constexpr std::array<std::uint32_t, kMaxPositionSlots> kPositionBase = [] {
  std::array<std::uint32_t, kMaxPositionSlots> base{0, 1, 2, 3};
  for (unsigned slot = 4; slot < kMaxPositionSlots; ++slot)
    base[slot] = base[slot - 1] + (std::uint32_t{1} << kPositionExtra[slot - 1]);
  return base;
}();

inline constexpr std::array<std::uint8_t, kLengthSlots> kLengthExtra{
    0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};

// A length slot's first value; the long match's length is that plus the extra bits plus five.
inline constexpr std::array<std::uint32_t, kLengthSlots> kLengthBase = [] {
  std::array<std::uint32_t, kLengthSlots> base{};
  for (unsigned slot = 1; slot < kLengthSlots; ++slot)
    base[slot] = base[slot - 1] + (std::uint32_t{1} << kLengthExtra[slot - 1]);
  return base;
}();

inline constexpr std::uint32_t kMaxMatch = kMinLongMatch + kLengthBase[kLengthSlots - 1];

// The farthest distance a model of `slots` position slots reaches: 2^(slots / 2).
constexpr std::uint32_t MaxDistance(unsigned slots) {
  return kPositionBase[slots - 1] + (std::uint32_t{1} << kPositionExtra[slots - 1]);
}

static_assert(kPositionBase[kMaxPositionSlots - 1] == 1572864);
static_assert(kMaxMatch == 259);
static_assert(MaxDistance(2 * kMinWindowBits) == 1u << kMinWindowBits);
static_assert(MaxDistance(kMaxPositionSlots) == 1u << kMaxWindowBits);

}  // namespace codec::quantum
