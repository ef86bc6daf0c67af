// Canonical Huffman codes read most significant bit first: codes are given out by increasing
// length, and by symbol within a length.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "bits/msb_bit_reader.h"

namespace codec {

class HuffmanDecoder {
 public:
  static constexpr unsigned kMaxCodeLength = 16;

  // Builds the code from per-symbol lengths (0 = unused symbol). False when a length exceeds
  // kMaxCodeLength or the lengths do not fill the code space exactly: over-subscribed lengths
  // describe no code, and an incomplete one leaves bit strings that damaged data could read as
  // something. Two shapes are allowed incomplete, since an encoder writes them for a table whose
  // data uses one symbol or none: a single used symbol, and no used symbol at all. Their missing
  // codes fail when read, so they cannot turn damage into output either.
  bool Build(std::span<const std::uint8_t> lengths);

  // The next symbol, or -1 for a code that the table does not hold (or when the reader overran).
  int Decode(MsbBitReader& reader) const;

 private:
  std::array<std::uint16_t, kMaxCodeLength + 1> count_{};
  std::vector<std::uint16_t> symbols_;  // by code order
};

}  // namespace codec
