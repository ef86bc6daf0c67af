// Reads bits from the most significant end of each byte, over a buffer it does not own. Reading
// past the end gives zero bits and sets overrun(), so that callers check once per item.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace codec {

class MsbBitReader {
 public:
  explicit MsbBitReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint32_t Bit() {
    if (bit_ >= bytes_.size() * 8) {
      overrun_ = true;
      return 0;
    }
    const std::uint32_t bit = (std::uint32_t{bytes_[bit_ >> 3]} >> (7u - (bit_ & 7u))) & 1u;
    ++bit_;
    return bit;
  }

  std::uint32_t Bits(unsigned count) {
    std::uint32_t value = 0;
    for (unsigned i = 0; i < count; ++i)
      value = (value << 1) | Bit();
    return value;
  }

  bool overrun() const { return overrun_; }
  std::size_t bit_position() const { return bit_; }
  std::size_t bits_left() const { return bytes_.size() * 8 - bit_; }
  // Bytes wholly or partly read.
  std::size_t bytes_touched() const { return (bit_ + 7) / 8; }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t bit_ = 0;
  bool overrun_ = false;
};

}  // namespace codec
