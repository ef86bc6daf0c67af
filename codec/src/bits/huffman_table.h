// Canonical Huffman codes read most significant bit first (codes given out by increasing length,
// and by symbol within a length), decoded through lookup tables: the next kPrimaryBits bits index
// a primary table that gives a short code's symbol at once; a longer code's first kPrimaryBits
// bits lead to a secondary table indexed by the bits that follow.
//
// Decode() works with any bit reader that offers
//   std::uint32_t Peek(unsigned count)  the next `count` (up to 16) bits, zeros past the end;
//   void Skip(unsigned count)           consumes them, noting an overrun past the end.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "bits/code_lengths.h"

namespace codec {

inline constexpr unsigned kMaxHuffmanCodeLength = 16;

template <std::size_t kMaxSymbols, unsigned kPrimaryBits>
class HuffmanTable {
 public:
  static constexpr unsigned kMaxCodeLength = kMaxHuffmanCodeLength;
  static_assert(kPrimaryBits >= 1 && kPrimaryBits < kMaxCodeLength);

  // Builds the tables from per-symbol lengths (at most kMaxSymbols of them, 0 = unused symbol).
  // False unless IsAcceptedCode() holds; a code missing from an accepted one fails when read.
  bool Build(std::span<const std::uint8_t> lengths, IncompleteCodes allowed) {
    if (lengths.size() > kMaxSymbols || !IsAcceptedCode(lengths, kMaxCodeLength, allowed)) {
      return false;
    }
    // Symbols in code order, with the first code of each length.
    std::array<std::uint16_t, kMaxCodeLength + 2> start{};
    for (const std::uint8_t length : lengths)
      if (length != 0) ++start[length + 1];
    for (unsigned length = 1; length <= kMaxCodeLength; ++length)
      start[length + 1] = static_cast<std::uint16_t>(start[length + 1] + start[length]);
    std::array<std::uint16_t, kMaxSymbols> sorted{};
    std::array<std::uint8_t, kMaxSymbols> sorted_length{};
    {
      std::array<std::uint16_t, kMaxCodeLength + 2> next = start;
      for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
        if (lengths[symbol] == 0) continue;
        const std::uint16_t at = next[lengths[symbol]]++;
        sorted[at] = static_cast<std::uint16_t>(symbol);
        sorted_length[at] = lengths[symbol];
      }
    }
    const std::size_t used = start[kMaxCodeLength + 1];
    std::fill_n(entries_.begin(), kPrimarySize, 0);
    std::uint32_t code = 0;  // the current code, left-aligned on kMaxCodeLength bits
    std::size_t free_secondary = kPrimarySize;
    for (std::size_t i = 0; i < used;) {
      const unsigned length = sorted_length[i];
      if (length <= kPrimaryBits) {
        const std::uint32_t first = code >> (kMaxCodeLength - kPrimaryBits);
        const std::uint32_t count = 1u << (kPrimaryBits - length);
        for (std::uint32_t k = 0; k < count; ++k)
          entries_[first + k] = Direct(sorted[i], length);
        code += 1u << (kMaxCodeLength - length);
        ++i;
        continue;
      }
      // Every code sharing this prefix follows in code order; the last one is the longest.
      const std::uint32_t prefix = code >> (kMaxCodeLength - kPrimaryBits);
      std::size_t end = i;
      std::uint32_t probe = code;
      while (end < used && (probe >> (kMaxCodeLength - kPrimaryBits)) == prefix) {
        probe += 1u << (kMaxCodeLength - sorted_length[end]);
        ++end;
      }
      const unsigned sub_bits = sorted_length[end - 1] - kPrimaryBits;
      if (free_secondary + (std::size_t{1} << sub_bits) > entries_.size()) return false;
      entries_[prefix] =
          kLink | (static_cast<std::uint32_t>(free_secondary) << kSymbolShift) | sub_bits;
      // Only a lone symbol's table has holes, but zeroing each table keeps holes failing.
      std::fill_n(entries_.begin() + static_cast<std::ptrdiff_t>(free_secondary),
                  std::size_t{1} << sub_bits, 0);
      for (; i < end; ++i) {
        const unsigned sub_length = sorted_length[i] - kPrimaryBits;
        const std::uint32_t first =
            (code >> (kMaxCodeLength - kPrimaryBits - sub_bits)) & ((1u << sub_bits) - 1);
        const std::uint32_t count = 1u << (sub_bits - sub_length);
        for (std::uint32_t k = 0; k < count; ++k)
          entries_[free_secondary + first + k] = Direct(sorted[i], sorted_length[i]);
        code += 1u << (kMaxCodeLength - sorted_length[i]);
      }
      free_secondary += std::size_t{1} << sub_bits;
    }
    return true;
  }

  // The next symbol, or -1 for a code the table does not hold (kMaxCodeLength bits are consumed
  // then, as a bit-by-bit search would have read them). Overruns are the caller's to check.
  template <class Reader>
  int Decode(Reader& reader) const {
    const Code code = Lookup(reader.Peek(kMaxCodeLength));
    if (code.length == 0) {
      reader.Skip(kMaxCodeLength);
      return -1;
    }
    reader.Skip(code.length);
    return code.symbol;
  }

  // For decoding loops that hold the bits themselves: the code that `bits` (the next
  // kMaxCodeLength bits) start with; length 0 when the table holds none.
  struct Code {
    int symbol;
    unsigned length;
  };
  Code Lookup(std::uint32_t bits) const {
    std::uint32_t entry = entries_[bits >> (kMaxCodeLength - kPrimaryBits)];
    if ((entry & kLink) != 0) {
      const std::uint32_t sub_bits = entry & kLengthMask;
      const std::uint32_t index =
          (bits >> (kMaxCodeLength - kPrimaryBits - sub_bits)) & ((1u << sub_bits) - 1);
      entry = entries_[(entry >> kSymbolShift) + index];
    }
    return {static_cast<int>(entry >> kSymbolShift), entry & kLengthMask};
  }

 private:
  // An entry holds a symbol and its code length, or for a long code's prefix, the link flag, the
  // start of its secondary table and that table's index bits. Zero: no code.
  static constexpr std::uint32_t kLengthMask = 0x1F;
  static constexpr std::uint32_t kLink = 0x80;
  static constexpr unsigned kSymbolShift = 8;
  static constexpr std::size_t kPrimarySize = std::size_t{1} << kPrimaryBits;
  // Secondary tables of 2^d entries each need a complete subtree of depth d, so at least d + 1
  // symbols; their total is largest when all are as deep as they can be.
  static constexpr std::size_t kDeepest = kMaxCodeLength - kPrimaryBits;
  static constexpr std::size_t kSecondarySize = ((kMaxSymbols + kDeepest) / (kDeepest + 1))
                                                << kDeepest;

  static constexpr std::uint32_t Direct(std::uint16_t symbol, unsigned length) {
    return (std::uint32_t{symbol} << kSymbolShift) | length;
  }

  std::array<std::uint32_t, kPrimarySize + kSecondarySize> entries_{};
};

}  // namespace codec
