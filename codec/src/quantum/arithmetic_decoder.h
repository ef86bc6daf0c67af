// The Quantum arithmetic decoder: a 16-bit interval [low, high] and the code value read from the
// frame, renormalised a bit at a time with the "underflow" step for an interval that straddles
// the middle. Match positions' and lengths' extra bits are raw bits of the same stream, read
// between symbols, after the 16 bits of look-ahead the code value holds.
#pragma once

#include <cstdint>

#include "bits/msb_bit_reader.h"
#include "quantum/adaptive_model.h"

namespace codec::quantum {

class ArithmeticDecoder {
 public:
  // Starts a frame: reads the first 16 bits of the code value.
  explicit ArithmeticDecoder(MsbBitReader& bits) : bits_(bits), code_(bits.Bits(16)) {}

  // The next symbol of `model`, which then adapts to it. Any code value gives a symbol: the code
  // value starts within [low, high] and the symbol's part of the interval always holds it, so
  // damage shows only in what the symbols say (impossible matches) and where the frame ends.
  unsigned Decode(AdaptiveModel& model) {
    const std::uint32_t range = high_ - low_ + 1;
    const std::uint32_t total = model.total();
    const unsigned entry = model.Find(((code_ - low_ + 1) * total - 1) / range);
    high_ = (low_ + model.high(entry) * range / total - 1) & kMask;
    low_ = (low_ + model.low(entry) * range / total) & kMask;
    const unsigned symbol = model.symbol(entry);
    model.Update(entry);
    Renormalise();
    return symbol;
  }

  std::uint32_t RawBits(unsigned count) { return bits_.Bits(count); }

 private:
  static constexpr std::uint32_t kMask = 0xFFFF;
  static constexpr std::uint32_t kHalf = 0x8000;
  static constexpr std::uint32_t kQuarter = 0x4000;

  void Renormalise() {
    for (;;) {
      if (((low_ ^ high_) & kHalf) != 0) {
        // The interval straddles the middle: shift it out only when it lies within the middle
        // half, moving that half onto the whole range (bit 15 drops out at the shift).
        if ((low_ & kQuarter) == 0 || (high_ & kQuarter) != 0) return;
        code_ ^= kQuarter;
        low_ &= kQuarter - 1;
        high_ |= kQuarter;
      }
      low_ = (low_ << 1) & kMask;
      high_ = ((high_ << 1) | 1) & kMask;
      code_ = ((code_ << 1) | bits_.Bit()) & kMask;
    }
  }

  MsbBitReader& bits_;
  std::uint32_t low_ = 0;
  std::uint32_t high_ = kMask;
  std::uint32_t code_;
};

}  // namespace codec::quantum
