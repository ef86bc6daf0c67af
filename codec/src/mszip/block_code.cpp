#include "mszip/block_code.h"

#include <algorithm>

#include "bits/code_lengths.h"

namespace codec::deflate {
namespace {

template <std::size_t N>
void BuildComplete(std::array<std::uint32_t, N> counts, std::span<std::uint8_t> lengths) {
  for (std::size_t symbol = 0; symbol < N; ++symbol) {
    if (std::count_if(counts.begin(), counts.end(), [](std::uint32_t n) { return n != 0; }) >= 2)
      break;
    if (counts[symbol] == 0) counts[symbol] = 1;
  }
  BuildCodeLengths(counts, kMaxCodeLength, lengths.first(N));
}

}  // namespace

SymbolCounts CountSymbols(std::span<const std::uint8_t> bytes, std::span<const lz::Step> steps) {
  SymbolCounts counts;
  std::size_t at = 0;
  for (const lz::Step& step : steps) {
    CountStep(step, bytes[at], counts);
    at += step.length;
  }
  ++counts.literal_length[kEndOfBlock];
  return counts;
}

BlockCode BestCode(const SymbolCounts& counts) {
  BlockCode code;
  BuildComplete(counts.literal_length, code.literal_length);
  BuildComplete(counts.distance, code.distance);
  return code;
}

std::uint64_t DataBits(const SymbolCounts& counts, const BlockCode& code) {
  std::uint64_t bits = 0;
  for (std::size_t symbol = 0; symbol < kLiteralLengthSymbols; ++symbol) {
    std::uint64_t each = code.literal_length[symbol];
    if (symbol >= kFirstLengthSymbol) each += kLengthRanges[symbol - kFirstLengthSymbol].extra;
    bits += counts.literal_length[symbol] * each;
  }
  for (std::size_t symbol = 0; symbol < kDistanceSymbols; ++symbol)
    bits += counts.distance[symbol] *
            (std::uint64_t{code.distance[symbol]} + kDistanceRanges[symbol].extra);
  return bits;
}

}  // namespace codec::deflate
