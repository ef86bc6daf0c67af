#include "lzx/lzx_cost_model.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "bits/huffman_table.h"

namespace codec {
namespace {

// -log2 of each symbol's share, an unused symbol counted as used once, within the longest code;
// all alike for a tree that nothing used.
void Information(std::span<const std::uint32_t> counts, unsigned longest, std::span<float> bits) {
  double total = 0;
  for (const std::uint32_t count : counts)
    total += count;
  total = total == 0 ? static_cast<double>(counts.size()) : total + 1;
  for (std::size_t symbol = 0; symbol < counts.size(); ++symbol) {
    const double count = std::max<std::uint32_t>(counts[symbol], 1);
    bits[symbol] = static_cast<float>(std::min<double>(longest, std::log2(total / count)));
  }
}

}  // namespace

LzxCostModel::LzxCostModel(const LzxSymbolCounts& counts, LzxBlockType type, unsigned window_bits)
    : aligned_(type == LzxBlockType::kAligned) {
  const unsigned main_symbols = LzxMainSymbols(window_bits);
  std::array<float, kLzxMaxMainSymbols> main{};
  std::array<float, kLzxLengthSymbols> length{};
  Information(std::span(counts.main).first(main_symbols), kMaxHuffmanCodeLength, main);
  Information(counts.length, kMaxHuffmanCodeLength, length);
  Information(counts.aligned, kLzxMaxAlignedLength, aligned_bits_);
  std::copy_n(main.begin(), kLzxLiterals, literal_.begin());
  const unsigned slots = LzxPositionSlots(window_bits);
  slot_length_.assign(slots * kLengths, 0);
  for (unsigned slot = 0; slot < slots; ++slot) {
    for (std::uint32_t match = kLzxMinMatch; match <= kLzxMaxMatch; ++match) {
      const std::uint32_t header = std::min(match - kLzxMinMatch, kLzxLongLengthHeader);
      float bits = main[kLzxLiterals + slot * kLzxLengthHeaders + header];
      if (header == kLzxLongLengthHeader) bits += length[match - kLzxMinMatch - header];
      slot_length_[slot * kLengths + match] = bits;
    }
  }
}

}  // namespace codec
