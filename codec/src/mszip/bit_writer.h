// DEFLATE's bit order: values go in from their least significant bit, and bytes fill from theirs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "bits/code_lengths.h"

namespace codec::deflate {

class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

  // The low `count` bits of `bits` (count <= 32).
  void Put(std::uint32_t bits, unsigned count) {
    pending_ |= std::uint64_t{bits} << filled_;
    filled_ += count;
    while (filled_ >= 8) {
      out_.push_back(static_cast<std::uint8_t>(pending_));
      pending_ >>= 8;
      filled_ -= 8;
    }
  }
  // Zero bits up to the next byte boundary.
  void Align() {
    if (filled_ > 0) Put(0, 8 - filled_);
  }
  // Bits in the output so far, for the alignment of stored blocks.
  std::uint64_t bit_position() const { return 8 * std::uint64_t{out_.size()} + filled_; }

 private:
  std::vector<std::uint8_t>& out_;
  std::uint64_t pending_ = 0;
  unsigned filled_ = 0;
};

// The canonical codes of `lengths`, bit-reversed: DEFLATE sends a Huffman code from its most
// significant bit, and Put() sends from the least.
template <std::size_t N>
std::array<std::uint16_t, N> WriterCodes(const std::array<std::uint8_t, N>& lengths) {
  std::array<std::uint16_t, N> codes{};
  CanonicalCodes(lengths, codes);
  for (std::size_t symbol = 0; symbol < N; ++symbol) {
    std::uint32_t reversed = 0;
    for (unsigned i = 0; i < lengths[symbol]; ++i)
      reversed |= ((std::uint32_t{codes[symbol]} >> i) & 1u) << (lengths[symbol] - 1u - i);
    codes[symbol] = static_cast<std::uint16_t>(reversed);
  }
  return codes;
}

}  // namespace codec::deflate
