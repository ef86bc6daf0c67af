// What each symbol of DEFLATE's alphabets stands for, as the decoding tables hold it.
#pragma once

#include <array>
#include <cstddef>

#include "inflate/decode_table.h"
#include "mszip/deflate_tables.h"

namespace codec::deflate {

// The fixed code's literal/length lengths cover 288 symbols, and its distance lengths 32; the last
// two of each have codes but no meaning.
inline constexpr std::size_t kFixedLiteralLengthCodes = 288;
inline constexpr std::size_t kFixedDistanceCodes = 32;

inline constexpr std::array<TableEntry, kFixedLiteralLengthCodes> kLiteralLengthMeanings = [] {
  std::array<TableEntry, kFixedLiteralLengthCodes> meanings{};
  for (std::uint32_t symbol = 0; symbol < kEndOfBlock; ++symbol)
    meanings[symbol] = MakeLiteral(symbol);
  meanings[kEndOfBlock] = kEndOfBlockEntry;
  for (std::size_t slot = 0; slot < kLengthRanges.size(); ++slot) {
    meanings[kFirstLengthSymbol + slot] =
        MakeMeaning(0, kLengthRanges[slot].extra, kLengthRanges[slot].base);
  }
  for (std::size_t symbol = kLiteralLengthSymbols; symbol < meanings.size(); ++symbol)
    meanings[symbol] = kInvalidEntry;
  return meanings;
}();

inline constexpr std::array<TableEntry, kFixedDistanceCodes> kDistanceMeanings = [] {
  std::array<TableEntry, kFixedDistanceCodes> meanings{};
  for (std::size_t symbol = 0; symbol < kDistanceRanges.size(); ++symbol) {
    meanings[symbol] = MakeMeaning(0, kDistanceRanges[symbol].extra, kDistanceRanges[symbol].base);
  }
  for (std::size_t symbol = kDistanceSymbols; symbol < meanings.size(); ++symbol)
    meanings[symbol] = kInvalidEntry;
  return meanings;
}();

inline constexpr std::array<TableEntry, kCodeLengthSymbols> kCodeLengthMeanings = [] {
  std::array<TableEntry, kCodeLengthSymbols> meanings{};
  for (std::uint32_t symbol = 0; symbol < kCodeLengthSymbols; ++symbol)
    meanings[symbol] = MakeMeaning(0, 0, symbol);
  return meanings;
}();

}  // namespace codec::deflate
