// What literals and matches cost in a DEFLATE block, for the shortest-path parse
// (lz/shortest_path.h).
#pragma once

#include <array>
#include <cstdint>

#include "mszip/block_code.h"
#include "mszip/deflate_tables.h"

namespace codec::deflate {

class CostModel {
 public:
  // The exact costs under `code`. A symbol without a code is given a cost a little above the
  // code's longest, so that a later round can take it up where it pays.
  static CostModel OfCode(const BlockCode& code);
  // Costs estimated from the symbols of an earlier parse: each symbol's information, in fractions
  // of a bit. Smoother than a code's whole bits, they lead the next parse to a smaller block.
  static CostModel OfCounts(const SymbolCounts& counts);

  float Literal(std::uint8_t byte) const { return literal_[byte]; }
  float Distance(std::uint32_t distance) const { return distance_[DistanceSymbol(distance)]; }
  float Match(float distance_cost, std::uint32_t length) const {
    return distance_cost + length_[length];
  }

 private:
  // From the bits of each literal/length symbol (the first kLiteralLengthSymbols of `symbols`)
  // and of each distance symbol, extra bits added.
  template <std::size_t N>
  static CostModel OfSymbols(const std::array<float, N>& symbols,
                             const std::array<float, kDistanceSymbols>& distances);

  std::array<float, 256> literal_{};
  std::array<float, kMaxMatch + 1> length_{};       // by match length, extra bits included
  std::array<float, kDistanceSymbols> distance_{};  // by symbol, extra bits included
};

}  // namespace codec::deflate
