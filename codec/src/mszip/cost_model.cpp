#include "mszip/cost_model.h"

#include <algorithm>
#include <cmath>

namespace codec::deflate {
namespace {

template <std::size_t N>
std::array<float, N> BitsPerSymbol(const std::array<std::uint8_t, N>& lengths) {
  const std::uint8_t longest = *std::max_element(lengths.begin(), lengths.end());
  std::array<float, N> bits{};
  for (std::size_t symbol = 0; symbol < N; ++symbol)
    bits[symbol] = lengths[symbol] != 0 ? lengths[symbol] : static_cast<float>(longest + 1);
  return bits;
}

// -log2 of each symbol's share, an unused symbol counted as used once, within DEFLATE's 15 bits.
template <std::size_t N>
std::array<float, N> Information(const std::array<std::uint32_t, N>& counts) {
  double total = 1;
  for (const std::uint32_t count : counts)
    total += count;
  std::array<float, N> bits{};
  for (std::size_t symbol = 0; symbol < N; ++symbol) {
    const double count = std::max<std::uint32_t>(counts[symbol], 1);
    bits[symbol] = static_cast<float>(std::min<double>(kMaxCodeLength, std::log2(total / count)));
  }
  return bits;
}

}  // namespace

CostModel CostModel::OfCode(const BlockCode& code) {
  return OfSymbols(BitsPerSymbol(code.literal_length), BitsPerSymbol(code.distance));
}

CostModel CostModel::OfCounts(const SymbolCounts& counts) {
  return OfSymbols(Information(counts.literal_length), Information(counts.distance));
}

template <std::size_t N>
CostModel CostModel::OfSymbols(const std::array<float, N>& symbols,
                               const std::array<float, kDistanceSymbols>& distances) {
  CostModel model;
  std::copy_n(symbols.begin(), model.literal_.size(), model.literal_.begin());
  for (std::uint32_t length = kMinMatch; length <= kMaxMatch; ++length) {
    const std::uint32_t slot = LengthSlot(length);
    model.length_[length] =
        symbols[kFirstLengthSymbol + slot] + static_cast<float>(kLengthRanges[slot].extra);
  }
  for (std::size_t symbol = 0; symbol < kDistanceSymbols; ++symbol)
    model.distance_[symbol] = distances[symbol] + static_cast<float>(kDistanceRanges[symbol].extra);
  return model;
}

}  // namespace codec::deflate
