// Output side of the LZ decoders: the 4,096-byte history that matches copy from, kept in front of
// a linear chunk of fresh output so that a copy is a plain backwards read. The chunk goes to the
// CheckedOutput when full and at Flush().
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "common/checked_output.h"
#include "common/format.h"

namespace codec {

class LzWindow {
 public:
  // start: ring index of the first output byte (matters only for absolute match positions).
  LzWindow(CheckedOutput& out, std::uint32_t start);

  Error Literal(std::uint8_t byte) {
    PutLiteral(byte);
    return FlushIfFull();
  }

  // Copies `length` (at most kSzddMaxMatch) bytes one at a time from `distance` bytes back
  // (1..4096): a copy that overlaps the bytes it produces repeats them, and distance 4096 reads
  // the ring cell about to be overwritten, as a byte-by-byte ring copy does.
  Error CopyFromDistance(std::uint32_t distance, std::uint32_t length) {
    PutCopy(distance, length);
    return FlushIfFull();
  }

  // Same, from an absolute ring index, as SZDD streams give them.
  Error CopyFromRing(std::uint32_t ring_index, std::uint32_t length) {
    PutRingCopy(ring_index, length);
    return FlushIfFull();
  }

  // The unchecked forms, for decoding loops that make sure of room() first.
  std::size_t room() const { return kFlushAt - write_; }
  void PutLiteral(std::uint8_t byte) { buffer_[write_++] = byte; }
  void PutCopy(std::uint32_t distance, std::uint32_t length) {
    std::uint8_t* dst = buffer_.data() + write_;
    const std::uint8_t* src = dst - distance;
    if (distance >= kSzddMaxMatch) {
      std::memcpy(dst, src, 16);  // the spare room takes what goes past `length`
      std::memcpy(dst + 16, src + 16, 2);
    } else {
      for (std::uint32_t i = 0; i < length; ++i)
        dst[i] = src[i];
    }
    write_ += length;
  }
  void PutRingCopy(std::uint32_t ring_index, std::uint32_t length) {
    const std::uint32_t here = (ring_base_ + static_cast<std::uint32_t>(write_)) & kWindowMask;
    const std::uint32_t distance = (here - ring_index) & kWindowMask;
    PutCopy(distance == 0 ? kWindowSize : distance, length);
  }

  // Bytes produced so far, flushed or not.
  std::uint64_t produced() const { return flushed_ + (write_ - kWindowSize); }

  Error FlushIfFull() { return write_ >= kFlushAt ? Flush() : Error::kOk; }
  Error Flush();

 private:
  static constexpr std::size_t kChunk = std::size_t{64} * 1024;
  static constexpr std::size_t kFlushAt = kWindowSize + kChunk;
  static constexpr std::size_t kSpare = 32;  // room for the widest copy past kFlushAt

  CheckedOutput& out_;
  // Ring index of buffer_[0], so that the write position's index is ring_base_ + write_.
  std::uint32_t ring_base_;
  std::vector<std::uint8_t> buffer_;
  std::size_t write_ = kWindowSize;
  std::uint64_t flushed_ = 0;
};

}  // namespace codec
