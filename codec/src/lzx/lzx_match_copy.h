// The match copy of the LZX decoder, in a window kept as a ring. The bytes just past a match are
// the oldest of the window, which a later match may still read: a copy that writes past its end
// puts them back.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace codec {

// Room a copy may write past the end of its match: the window needs this much beyond its size.
inline constexpr std::uint32_t kLzxCopySlack = 16;

// Copies `length` (2 to 257) bytes from `distance` (1 to window - 3) bytes back to window[at],
// where at + length stays within the window; an overlapping copy repeats its pattern.
[[gnu::always_inline]] inline void CopyLzxMatch(std::uint8_t* window, std::uint32_t mask,
                                                std::uint32_t at, std::uint32_t distance,
                                                std::uint32_t length) {
  std::uint8_t* const dst = window + at;
  const std::uint8_t* src = dst - distance;
  if (distance > at) {
    // The source is in the window's previous lap, ahead of `dst`.
    const std::uint32_t from = at + mask + 1 - distance;
    if (from < at + length + kLzxCopySlack || from + length > mask + 1) {
      // Close to a whole window back, or running on from the window's start: a forward copy
      // reads each byte before the match overwrites it, as memmove does.
      const std::uint32_t first = std::min(length, mask + 1 - from);
      std::memmove(dst, window + from, first);
      for (std::uint32_t i = first; i < length; ++i)
        dst[i] = window[i - first];
      return;
    }
    src = window + from;
  } else if (distance < kLzxCopySlack) {
    if (distance == 1) {
      std::memset(dst, src[0], length);
    } else {
      for (std::uint32_t i = 0; i < length; ++i)
        dst[i] = src[i];
    }
    return;
  }
  // Pieces of 16 bytes, each reading bytes already final (or wholly elsewhere); the last may run
  // past the match, over bytes saved beforehand.
  std::array<std::uint8_t, kLzxCopySlack> saved;
  std::memcpy(saved.data(), dst + length, kLzxCopySlack);
  std::uint32_t i = 0;
  do {
    std::memcpy(dst + i, src + i, kLzxCopySlack);
    i += kLzxCopySlack;
  } while (i < length);
  std::memcpy(dst + length, saved.data(), kLzxCopySlack);
}

}  // namespace codec
