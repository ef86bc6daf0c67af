#include "lzx/lzx_block_stats.h"

namespace codec {
namespace {

template <std::size_t N>
std::uint64_t SymbolBits(const std::array<std::uint32_t, N>& counts,
                         const std::array<std::uint8_t, N>& lengths) {
  std::uint64_t bits = 0;
  for (std::size_t symbol = 0; symbol < N; ++symbol)
    bits += std::uint64_t{counts[symbol]} * lengths[symbol];
  return bits;
}

}  // namespace

std::uint64_t LzxDataBits(const LzxBlockStats& stats, LzxBlockType type,
                          const LzxTreeLengths& lengths) {
  std::uint64_t bits = SymbolBits(stats.counts.main, lengths.main) +
                       SymbolBits(stats.counts.length, lengths.length) + stats.extra_bits;
  if (type == LzxBlockType::kAligned) {
    bits += SymbolBits(stats.counts.aligned, lengths.aligned);
    bits -= std::uint64_t{stats.aligned_offsets} * kLzxAlignedBits;
  }
  return bits;
}

}  // namespace codec
