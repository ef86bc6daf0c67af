// The alphabets of DEFLATE (RFC 1951): literal/length and distance symbols with their extra bits,
// the code-length alphabet of dynamic blocks, and the fixed codes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace codec::deflate {

inline constexpr std::size_t kLiteralLengthSymbols = 286;  // 0-255, end of block, 29 lengths
// The fixed code also gives codes to two symbols that no block may use; they shape the others.
inline constexpr std::size_t kLiteralLengthAlphabet = 288;
inline constexpr std::size_t kDistanceSymbols = 30;
inline constexpr std::size_t kCodeLengthSymbols = 19;
inline constexpr std::uint32_t kEndOfBlock = 256;
inline constexpr std::uint32_t kFirstLengthSymbol = 257;
inline constexpr unsigned kMaxCodeLength = 15;
inline constexpr unsigned kMaxCodeLengthCodeLength = 7;
inline constexpr std::uint32_t kMinMatch = 3;
inline constexpr std::uint32_t kMaxMatch = 258;
inline constexpr std::uint32_t kMaxDistance = 32768;
inline constexpr std::size_t kMaxStoredLength = 65535;

// Block types, as written after the final-block bit.
inline constexpr std::uint32_t kStoredBlock = 0;
inline constexpr std::uint32_t kFixedBlock = 1;
inline constexpr std::uint32_t kDynamicBlock = 2;

// The code-length alphabet's repeat codes: 16 repeats the previous length 3-6 times, 17 and 18
// write 3-10 and 11-138 zeros.
inline constexpr std::uint32_t kRepeatPrevious = 16;
inline constexpr std::uint32_t kShortZeros = 17;
inline constexpr std::uint32_t kLongZeros = 18;
// The order in which a dynamic block lists the code-length code's lengths.
inline constexpr std::array<std::uint8_t, kCodeLengthSymbols> kCodeLengthOrder = {
    16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

struct SymbolRange {
  std::uint16_t base = 0;  // smallest value of the symbol
  std::uint8_t extra = 0;  // extra bits that follow it
};

inline constexpr std::array<SymbolRange, 29> kLengthRanges = {{
    {3, 0},  {4, 0},  {5, 0},  {6, 0},   {7, 0},   {8, 0},   {9, 0},   {10, 0},  {11, 1},  {13, 1},
    {15, 1}, {17, 1}, {19, 2}, {23, 2},  {27, 2},  {31, 2},  {35, 3},  {43, 3},  {51, 3},  {59, 3},
    {67, 4}, {83, 4}, {99, 4}, {115, 4}, {131, 5}, {163, 5}, {195, 5}, {227, 5}, {258, 0},
}};

inline constexpr std::array<SymbolRange, kDistanceSymbols> kDistanceRanges = {{
    {1, 0},     {2, 0},     {3, 0},     {4, 0},      {5, 1},      {7, 1},
    {9, 2},     {13, 2},    {17, 3},    {25, 3},     {33, 4},     {49, 4},
    {65, 5},    {97, 5},    {129, 6},   {193, 6},    {257, 7},    {385, 7},
    {513, 8},   {769, 8},   {1025, 9},  {1537, 9},   {2049, 10},  {3073, 10},
    {4097, 11}, {6145, 11}, {8193, 12}, {12289, 12}, {16385, 13}, {24577, 13},
}};

namespace detail {

constexpr std::array<std::uint8_t, kMaxMatch + 1> MakeLengthSymbols() {
  std::array<std::uint8_t, kMaxMatch + 1> table{};
  for (std::size_t symbol = 0; symbol < kLengthRanges.size(); ++symbol) {
    const std::size_t end =
        symbol + 1 < kLengthRanges.size() ? kLengthRanges[symbol + 1].base : kMaxMatch + 1;
    for (std::size_t length = kLengthRanges[symbol].base; length < end; ++length)
      table[length] = static_cast<std::uint8_t>(symbol);
  }
  return table;
}

// Distances 1-256 by distance - 1, then farther ones by (distance - 1) >> 7.
constexpr std::array<std::uint8_t, 512> MakeDistanceSymbols() {
  std::array<std::uint8_t, 512> table{};
  for (std::size_t symbol = 0; symbol < kDistanceRanges.size(); ++symbol) {
    const std::size_t end =
        symbol + 1 < kDistanceRanges.size() ? kDistanceRanges[symbol + 1].base : kMaxDistance + 1;
    for (std::size_t distance = kDistanceRanges[symbol].base; distance < end; ++distance) {
      if (distance <= 256) table[distance - 1] = static_cast<std::uint8_t>(symbol);
      table[256 + ((distance - 1) >> 7)] = static_cast<std::uint8_t>(symbol);
    }
  }
  return table;
}

inline constexpr std::array<std::uint8_t, kMaxMatch + 1> kLengthSymbols = MakeLengthSymbols();
inline constexpr std::array<std::uint8_t, 512> kDistanceSymbolTable = MakeDistanceSymbols();

}  // namespace detail

// The length symbol's index among the 29 (add kFirstLengthSymbol for the alphabet's symbol).
inline std::uint32_t LengthSlot(std::uint32_t length) {
  return detail::kLengthSymbols[length];
}
inline std::uint32_t DistanceSymbol(std::uint32_t distance) {
  return distance <= 256 ? detail::kDistanceSymbolTable[distance - 1]
                         : detail::kDistanceSymbolTable[256 + ((distance - 1) >> 7)];
}

// The fixed code's lengths.
inline constexpr std::array<std::uint8_t, kLiteralLengthAlphabet> kFixedLiteralLengthLengths = [] {
  std::array<std::uint8_t, kLiteralLengthAlphabet> lengths{};
  for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol)
    lengths[symbol] = symbol < 144 ? 8 : symbol < 256 ? 9 : symbol < 280 ? 7 : 8;
  return lengths;
}();
inline constexpr std::array<std::uint8_t, kDistanceSymbols> kFixedDistanceLengths = [] {
  std::array<std::uint8_t, kDistanceSymbols> lengths{};
  lengths.fill(5);
  return lengths;
}();

}  // namespace codec::deflate
