// The symbols a parse writes and the Huffman code of a block that writes them.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "lz/shortest_path.h"
#include "mszip/deflate_tables.h"

namespace codec::deflate {

struct SymbolCounts {
  std::array<std::uint32_t, kLiteralLengthSymbols> literal_length{};
  std::array<std::uint32_t, kDistanceSymbols> distance{};
};

// Counts the symbols of one step of a parse; `first` is the first byte it gives.
inline void CountStep(const lz::Step& step, std::uint8_t first, SymbolCounts& counts) {
  if (step.distance == 0) {
    ++counts.literal_length[first];
  } else {
    ++counts.literal_length[kFirstLengthSymbol + LengthSlot(step.length)];
    ++counts.distance[DistanceSymbol(step.distance)];
  }
}

// The symbols of a parse of `bytes`, with one end of block.
SymbolCounts CountSymbols(std::span<const std::uint8_t> bytes, std::span<const lz::Step> steps);

struct BlockCode {
  std::array<std::uint8_t, kLiteralLengthAlphabet> literal_length{};
  std::array<std::uint8_t, kDistanceSymbols> distance{};
};

inline constexpr BlockCode kFixedCode = {kFixedLiteralLengthLengths, kFixedDistanceLengths};

// The code of fewest data bits for these counts, within DEFLATE's 15 bits. Each tree gets at least
// two codes, so that every code is complete (unused ones cost nothing but header bits).
BlockCode BestCode(const SymbolCounts& counts);

// The bits that the symbols take under `code`, extra bits included.
std::uint64_t DataBits(const SymbolCounts& counts, const BlockCode& code);

}  // namespace codec::deflate
