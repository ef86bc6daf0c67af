// Reads a bit stream made of 16-bit little-endian words, each read from its most significant bit,
// over a buffer it does not own. Bits wait in a 64-bit buffer refilled by whole words. Reading
// past the end gives zero bits and sets overrun(), so that callers check once per stretch.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace codec {

class WordBitReader {
 public:
  // Bits always in the buffer after Refill(): enough for three codes of 16 bits.
  static constexpr unsigned kRefilled = 48;

  explicit WordBitReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  // Tops the buffer up to between kRefilled and 63 bits. Far from the end of the input it does so
  // without testing how many bits are there, a test that data would mispredict.
  void Refill() {
    if (bytes_.size() - at_ >= 8) {
      // Whole words go in; the bits after them stay in place too: they are the stream's next
      // bits, and the next refill writes the same bits over them.
      std::uint64_t raw = 0;
      std::memcpy(&raw, bytes_.data() + at_, 8);
      buffer_ |= SwapWords(raw) >> count_;
      const std::size_t words = (63 - count_) >> 4;
      at_ += 2 * words;
      count_ += 16 * static_cast<unsigned>(words);
      return;
    }
    RefillNearEnd();
  }

  // Refills when fewer than `count` (up to kRefilled) bits are in the buffer.
  void Ensure(unsigned count) {
    if (count_ < count) Refill();
  }

  // The next `count` bits (1 to 32), refilling when needed.
  std::uint32_t Peek(unsigned count) {
    Ensure(count);
    return PeekRefilled(count);
  }
  // Same, for bits that the last Ensure() or Refill() made sure of.
  std::uint32_t PeekRefilled(unsigned count) const {
    return static_cast<std::uint32_t>(buffer_ >> (64 - count));
  }
  void Skip(unsigned count) {
    buffer_ <<= count;
    count_ -= count;
  }
  // `count`: 0 to 32.
  std::uint32_t Bits(unsigned count) {
    Ensure(count);
    // Shifted in two steps, so that a count of 0 needs no test.
    const auto value = static_cast<std::uint32_t>((buffer_ >> (63 - count)) >> 1);
    Skip(count);
    return value;
  }

  // Drops the bits left of the current word.
  void AlignToWord() { Skip(count_ % 16); }
  // Drops the rest of the current word, or a whole word when at a word boundary.
  void SkipToNextWord() {
    const unsigned count = count_ % 16 == 0 ? 16 : count_ % 16;
    if (count_ < count) Refill();
    Skip(count);
  }

  // At a word boundary: up to `count` bytes that follow as plain bytes, fewer where the input
  // ends; the bit stream resumes after them.
  std::span<const std::uint8_t> TakeBytes(std::size_t count) {
    overran_ = overrun();
    const std::size_t unread = at_ - real_bits() / 8;
    const std::size_t take = std::min(count, bytes_.size() - unread);
    const std::span<const std::uint8_t> taken = bytes_.subspan(unread, take);
    at_ = unread + take;
    buffer_ = 0;
    count_ = 0;
    padding_ = 0;
    return taken;
  }

  // Whether bits past the end of the input were consumed.
  bool overrun() const { return overran_ || count_ < padding_; }
  // Whole bytes of input not consumed yet (at a word boundary).
  std::size_t bytes_left() const { return bytes_.size() - at_ + real_bits() / 8; }

 private:
  unsigned real_bits() const { return count_ > padding_ ? count_ - padding_ : 0; }

  // The words of a little-endian load, first word first from the top.
  static std::uint64_t SwapWords(std::uint64_t raw) {
    raw = (raw << 32) | (raw >> 32);
    return ((raw & 0x0000FFFF0000FFFFull) << 16) | ((raw >> 16) & 0x0000FFFF0000FFFFull);
  }

  void RefillNearEnd() {
    while (count_ < kRefilled) {
      std::uint64_t word = 0;
      if (bytes_.size() - at_ >= 2) {
        word = bytes_[at_] | (std::uint32_t{bytes_[at_ + 1]} << 8);
        at_ += 2;
      } else {
        // Past the end. A lone last byte stays out too: its missing partner would come first.
        padding_ += 16;
      }
      buffer_ |= word << (48 - count_);
      count_ += 16;
    }
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;        // next byte to load into the buffer
  std::uint64_t buffer_ = 0;  // unread bits from the top
  unsigned count_ = 0;        // unread bits in the buffer
  unsigned padding_ = 0;      // of which, at the bottom, zero bits standing for missing input
  bool overran_ = false;      // padding consumed before TakeBytes() restarted the buffer
};

}  // namespace codec
