// Reads DEFLATE's bits, least significant bit of each byte first, through a 64-bit buffer. While
// a whole word of input is left it refills by whole words; near the end it takes bytes one at a
// time and then zero bytes, which it counts so that the caller can tell it read past the input.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace codec::deflate {

class LsbBitReader {
 public:
  explicit LsbBitReader(std::span<const std::uint8_t> bytes)
      : next_(bytes.data()), end_(bytes.data() + bytes.size()) {}

  // Whether two word refills may follow; each moves at most 7 bytes on.
  bool CanRefillWords() const { return end_ - next_ >= 15; }

  // At least 56 bits held afterwards; only while a whole word is left. The byte that does not fit
  // whole lands above the held bits, where the next refill puts it again, unchanged.
  void RefillWord() {
    std::uint64_t word = 0;
    std::memcpy(&word, next_, sizeof word);
    if constexpr (std::endian::native == std::endian::big) word = ByteSwap(word);
    bits_ |= word << held_;
    next_ += (63u - held_) >> 3;
    held_ |= 56u;
  }

  // At least 57 bits held afterwards, zeros past the end of the input.
  void Refill() {
    while (held_ <= 56) {
      if (next_ != end_) {
        bits_ |= std::uint64_t{*next_++} << held_;
      } else {
        ++padding_;
      }
      held_ += 8;
    }
  }

  std::uint64_t Peek() const { return bits_; }
  void Drop(unsigned count) {
    bits_ >>= count;
    held_ -= count;
  }
  std::uint32_t Take(unsigned count) {
    const auto value = static_cast<std::uint32_t>(bits_ & ((std::uint64_t{1} << count) - 1));
    Drop(count);
    return value;
  }

  // Whether a bit taken so far lay past the end of the input.
  bool Overran() const { return held_ < 8u * padding_; }

  // Drops the bits up to the next byte boundary and hands the whole bytes still held back to the
  // input, so that the rest can be read as bytes. Only when !Overran().
  void AlignToByte() {
    Drop(held_ & 7u);
    next_ -= (held_ - 8u * padding_) / 8u;
    bits_ = 0;
    held_ = 0;
    padding_ = 0;
  }
  // The input left after AlignToByte().
  std::span<const std::uint8_t> Rest() const {
    return {next_, static_cast<std::size_t>(end_ - next_)};
  }
  void Skip(std::size_t count) { next_ += count; }

 private:
  static std::uint64_t ByteSwap(std::uint64_t word) {
    std::uint64_t swapped = 0;
    for (int i = 0; i < 8; ++i) {
      swapped = (swapped << 8) | (word & 0xFFu);
      word >>= 8;
    }
    return swapped;
  }

  const std::uint8_t* next_;
  const std::uint8_t* end_;
  std::uint64_t bits_ = 0;
  unsigned held_ = 0;
  unsigned padding_ = 0;  // zero bytes loaded past the end
};

}  // namespace codec::deflate
