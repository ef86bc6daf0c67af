#include "lzx/lzx_block_choice.h"

#include <span>

namespace codec {
namespace {

// Whether `lengths` give a code to every symbol that `counts` use.
template <std::size_t N>
bool Codes(std::span<const std::uint32_t, N> counts, std::span<const std::uint8_t, N> lengths) {
  for (std::size_t symbol = 0; symbol < N; ++symbol)
    if (counts[symbol] != 0 && lengths[symbol] == 0) return false;
  return true;
}

}  // namespace

std::uint64_t LzxUncompressedBits(std::uint32_t size) {
  constexpr std::uint64_t kHeader = kLzxBlockTypeBits + kLzxBlockSizeBits + 16;
  constexpr std::uint64_t kRepeated = std::uint64_t{kLzxRepeatedOffsets} * 32;
  return kHeader + kRepeated + 8 * (std::uint64_t{size} + size % 2);
}

LzxBlockChoice ChooseLzxBlock(const LzxBlockStats& stats, const LzxTreeLengths& previous,
                              unsigned window_bits) {
  LzxBlockChoice best;
  best.bits = LzxUncompressedBits(stats.size);
  const LzxTreeLengths built = BuildLzxTrees(stats.counts, window_bits);
  LzxTreeLengths kept = previous;
  kept.aligned = built.aligned;
  const bool keepable = Codes<kLzxMaxMainSymbols>(stats.counts.main, previous.main) &&
                        Codes<kLzxLengthSymbols>(stats.counts.length, previous.length);
  for (const LzxBlockType type : {LzxBlockType::kVerbatim, LzxBlockType::kAligned}) {
    for (const LzxTreeLengths* lengths : {&built, keepable ? &kept : &built}) {
      const std::uint64_t bits = LzxBlockHeaderBits(type, previous, *lengths, window_bits) +
                                 LzxDataBits(stats, type, *lengths);
      if (bits < best.bits) best = {type, *lengths, bits};
    }
  }
  return best;
}

}  // namespace codec
