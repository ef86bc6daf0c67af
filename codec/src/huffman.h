// Canonical Huffman codes read most significant bit first: codes are given out by increasing
// length, and by symbol within a length.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "msb_bit_reader.h"

namespace codec {

class HuffmanDecoder {
 public:
  static constexpr unsigned kMaxCodeLength = 16;

  // Builds the code from per-symbol lengths (0 = unused symbol). False when the lengths
  // over-subscribe the code space or exceed kMaxCodeLength; an incomplete code is accepted, and
  // reading one of its missing codes fails.
  bool Build(std::span<const std::uint8_t> lengths);

  // The next symbol, or -1 for a code that the table does not hold (or when the reader overran).
  int Decode(MsbBitReader& reader) const;

 private:
  std::array<std::uint16_t, kMaxCodeLength + 1> count_{};
  std::vector<std::uint16_t> symbols_;  // by code order
};

}  // namespace codec
