#include "lzx/lzx_block_codes.h"

#include <span>

#include "bits/code_lengths.h"

namespace codec {

LzxBlockCodes::LzxBlockCodes(const LzxTreeLengths& lengths, unsigned window_bits)
    : lengths_(lengths) {
  const unsigned main_symbols = LzxMainSymbols(window_bits);
  CanonicalCodes(std::span(lengths.main).first(main_symbols), std::span(main_).first(main_symbols));
  CanonicalCodes(lengths.length, length_);
  CanonicalCodes(lengths.aligned, aligned_);
}

void LzxBlockCodes::Put(WordBitWriter& bits, const LzxToken& token, LzxBlockType type) const {
  const LzxTokenCode code = CodeOf(token, type);
  bits.Put(main_[code.main_symbol], lengths_.main[code.main_symbol]);
  if (code.has_length_symbol) {
    bits.Put(length_[code.length_symbol], lengths_.length[code.length_symbol]);
  }
  bits.Put(code.plain, code.plain_bits);
  if (code.has_aligned_symbol) {
    bits.Put(aligned_[code.aligned_symbol], lengths_.aligned[code.aligned_symbol]);
  }
}

}  // namespace codec
