#include "lzx/lzx_tree_reader.h"

#include <algorithm>
#include <array>

#include "bits/huffman_table.h"
#include "lzx/lzx_format.h"

namespace codec {
namespace {

std::uint8_t Apply(std::uint8_t previous, int difference) {
  return static_cast<std::uint8_t>(
      (previous + kLzxLengthModulus - static_cast<unsigned>(difference)) % kLzxLengthModulus);
}

}  // namespace

bool ReadLzxTree(WordBitReader& reader, std::span<std::uint8_t> lengths) {
  std::array<std::uint8_t, kLzxPretreeSymbols> pretree_lengths{};
  for (std::uint8_t& length : pretree_lengths)
    length = static_cast<std::uint8_t>(reader.Bits(kLzxPretreeLengthBits));
  HuffmanTable<kLzxPretreeSymbols, 8> pretree;
  if (!pretree.Build(pretree_lengths, kLzxOtherTreesIncomplete)) return false;
  for (std::size_t at = 0; at < lengths.size();) {
    const int symbol = pretree.Decode(reader);
    if (symbol < 0) return false;
    if (symbol < static_cast<int>(kLzxLengthModulus)) {
      lengths[at] = Apply(lengths[at], symbol);
      ++at;
      continue;
    }
    const LzxRunCode& run = symbol == static_cast<int>(kLzxShortZeros.symbol)  ? kLzxShortZeros
                            : symbol == static_cast<int>(kLzxLongZeros.symbol) ? kLzxLongZeros
                                                                               : kLzxSameLengths;
    const std::size_t count = run.base + reader.Bits(run.bits);
    if (count > lengths.size() - at) return false;
    std::uint8_t value = 0;
    if (symbol == static_cast<int>(kLzxSameLengths.symbol)) {
      const int difference = pretree.Decode(reader);
      if (difference < 0 || difference >= static_cast<int>(kLzxLengthModulus)) return false;
      value = Apply(lengths[at], difference);
    }
    std::fill_n(lengths.begin() + static_cast<std::ptrdiff_t>(at), count, value);
    at += count;
  }
  return true;
}

}  // namespace codec
