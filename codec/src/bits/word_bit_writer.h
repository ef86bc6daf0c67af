// Writes a bit stream made of 16-bit little-endian words, each filled from its most significant
// bit, as WordBitReader reads it. Whole words go to a byte vector that the owner empties.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace codec {

class WordBitWriter {
 public:
  // The low `count` bits of `value` (count: 0 to 32), most significant first.
  void Put(std::uint32_t value, unsigned count) {
    pending_ = (pending_ << count) | (value & ((std::uint64_t{1} << count) - 1));
    count_ += count;
    while (count_ >= 16) {
      count_ -= 16;
      const auto word = static_cast<std::uint16_t>(pending_ >> count_);
      bytes_.push_back(static_cast<std::uint8_t>(word));
      bytes_.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    pending_ &= (std::uint64_t{1} << count_) - 1;
  }

  // Pads the current word with zero bits, if one is started.
  void AlignToWord() {
    if (count_ != 0) Put(0, 16 - count_);
  }
  // Pads up to the next word: a whole word of zeros when at a word boundary.
  void PadToNextWord() { Put(0, 16 - count_); }
  bool aligned() const { return count_ == 0; }

  // Plain bytes, at a word boundary; the bit stream resumes after them.
  void PutBytes(std::span<const std::uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  }

  // The finished words and plain bytes, for the owner to hand on and clear.
  std::vector<std::uint8_t>& bytes() { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint64_t pending_ = 0;  // bits of the current word, in the low `count_` bits
  unsigned count_ = 0;
};

}  // namespace codec
