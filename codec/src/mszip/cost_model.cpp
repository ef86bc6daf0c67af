#include "mszip/cost_model.h"

#include <algorithm>

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

}  // namespace

CostModel CostModel::OfCode(const BlockCode& code) {
  const std::array<float, kLiteralLengthAlphabet> symbols = BitsPerSymbol(code.literal_length);
  const std::array<float, kDistanceSymbols> distances = BitsPerSymbol(code.distance);
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
