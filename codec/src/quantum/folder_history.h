// A Quantum folder's output so far, kept in a ring as far back as a match may reach (the window,
// and at least a frame, so that the frame just decoded can be read back whole).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "quantum/quantum_tables.h"

namespace codec::quantum {

class FolderHistory {
 public:
  explicit FolderHistory(unsigned window_bits)
      : ring_(std::max(std::size_t{1} << window_bits, kFrameSize)), mask_(ring_.size() - 1) {}

  // Bytes of the folder produced so far.
  std::uint64_t size() const { return size_; }

  void Put(std::uint8_t byte) { ring_[static_cast<std::size_t>(size_++) & mask_] = byte; }

  // Appends `length` bytes copied from `distance` bytes back, one at a time so that a copy
  // overlapping its own output repeats it. The caller makes sure that 1 <= distance <= size()
  // and that distance is within the window.
  void Copy(std::uint32_t distance, std::uint32_t length) {
    const auto at = static_cast<std::size_t>(size_);
    for (std::size_t i = 0; i < length; ++i)
      ring_[(at + i) & mask_] = ring_[(at + i - distance) & mask_];
    size_ += length;
  }

  // The last out.size() bytes (at most a frame).
  void CopyLast(std::span<std::uint8_t> out) const {
    const std::size_t start = static_cast<std::size_t>(size_ - out.size()) & mask_;
    const std::size_t first = std::min(out.size(), ring_.size() - start);
    std::copy_n(ring_.begin() + static_cast<std::ptrdiff_t>(start), first, out.begin());
    std::copy_n(ring_.begin(), out.size() - first,
                out.begin() + static_cast<std::ptrdiff_t>(first));
  }

 private:
  std::vector<std::uint8_t> ring_;
  std::size_t mask_;
  std::uint64_t size_ = 0;
};

}  // namespace codec::quantum
