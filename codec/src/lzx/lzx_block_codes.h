// The canonical codes of a compressed block's trees, and tokens written with them.
#pragma once

#include <array>
#include <cstdint>

#include "bits/word_bit_writer.h"
#include "lzx/lzx_tokens.h"

namespace codec {

class LzxBlockCodes {
 public:
  // `lengths` must outlive this object.
  LzxBlockCodes(const LzxTreeLengths& lengths, unsigned window_bits);

  // Writes `token` as a block of `type` codes it; its symbols must have codes.
  void Put(WordBitWriter& bits, const LzxToken& token, LzxBlockType type) const;

 private:
  const LzxTreeLengths& lengths_;
  std::array<std::uint16_t, kLzxMaxMainSymbols> main_{};
  std::array<std::uint16_t, kLzxLengthSymbols> length_{};
  std::array<std::uint16_t, kLzxAlignedSymbols> aligned_{};
};

}  // namespace codec
