// What literals and matches cost in an LZX block, in bits, for the shortest-path parse: taken from
// the symbols of an earlier parse, each symbol's information in fractions of a bit (smoother than
// a code's whole bits, it leads the next parse to a smaller block).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "lzx/lzx_costs.h"
#include "lzx/lzx_format.h"

namespace codec {

class LzxCostModel {
 public:
  // The costs of a block of `type` whose symbols are `counts`; a symbol never used is priced as
  // used once.
  LzxCostModel(const LzxSymbolCounts& counts, LzxBlockType type, unsigned window_bits);

  float Literal(std::uint8_t byte) const { return literal_[byte]; }
  // A match of `length` (2 to 257) whose formatted offset falls in `slot`; repeats are slots 0-2.
  float Match(unsigned slot, std::uint32_t length) const {
    return slot_length_[slot * kLengths + length];
  }
  // What a plain offset's extra bits (and aligned symbol) add.
  float Offset(std::uint32_t formatted_offset) const {
    const unsigned slot = LzxSlotOf(formatted_offset);
    return aligned_ && kLzxSlots.extra_bits[slot] >= kLzxAlignedBits
               ? static_cast<float>(kLzxSlots.extra_bits[slot] - kLzxAlignedBits) +
                     aligned_bits_[formatted_offset & (kLzxAlignedSymbols - 1)]
               : static_cast<float>(kLzxSlots.extra_bits[slot]);
  }

 private:
  static constexpr std::size_t kLengths = kLzxMaxMatch + 1;

  std::array<float, kLzxLiterals> literal_{};
  std::vector<float> slot_length_;  // by slot, then length: main symbol and length symbol
  std::array<float, kLzxAlignedSymbols> aligned_bits_{};
  bool aligned_;
};

}  // namespace codec
