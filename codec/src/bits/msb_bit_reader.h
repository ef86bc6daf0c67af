// Reads bits from the most significant end of each byte, over a buffer it does not own. Reading
// past the end gives zero bits and sets overrun(), so that callers check once per item.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace codec {

class MsbBitReader {
 public:
  explicit MsbBitReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint32_t Bit() { return Bits(1); }

  // count: at most 16 (Bits(), up to 32).
  std::uint32_t Peek(unsigned count) const {
    const std::size_t byte = bit_ >> 3;
    std::uint32_t window = 0;  // the three bytes from `byte` on, zeros past the end
    for (std::size_t i = 0; i < 3; ++i) {
      window <<= 8;
      if (byte + i < bytes_.size()) window |= bytes_[byte + i];
    }
    return (window >> (24u - static_cast<unsigned>(bit_ & 7u) - count)) & ((1u << count) - 1u);
  }

  void Skip(unsigned count) {
    const std::size_t end = bytes_.size() * 8;
    if (count > end - bit_) overrun_ = true;
    bit_ = std::min(end, bit_ + count);
  }

  std::uint32_t Bits(unsigned count) {
    std::uint32_t value = 0;
    for (; count > 16; count -= 16)
      value = (value << 16) | Take(16);
    return (value << count) | Take(count);
  }

  bool overrun() const { return overrun_; }
  std::size_t bit_position() const { return bit_; }
  std::size_t bits_left() const { return bytes_.size() * 8 - bit_; }
  // Bytes wholly or partly read.
  std::size_t bytes_touched() const { return (bit_ + 7) / 8; }

 private:
  std::uint32_t Take(unsigned count) {
    if (count == 0) return 0;
    const std::uint32_t value = Peek(count);
    Skip(count);
    return value;
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t bit_ = 0;
  bool overrun_ = false;
};

}  // namespace codec
