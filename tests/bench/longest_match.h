// Longest SZDD match at every position of a buffer, found independently of the codec.
//
// A match read from absolute ring position p while the write position is w copies, byte by byte,
// the bytes that were written (w - p) mod 4096 positions earlier, counting a distance of 0 as
// 4096. Seen from the data, a match at position i therefore reaches 1..4096 bytes back, where the
// bytes before the start are the spaces the ring starts with, and a copy may run into the bytes it
// is producing itself. So the longest match at i is the longest common prefix of the data at i
// with the data at any of the 4,096 positions before it, capped at 18 and at the end of the data.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace bench {

inline constexpr int kWindowSize = 4096;
inline constexpr int kMinMatch = 3;
inline constexpr int kMaxMatch = 18;
// Ring position at which writing starts in a standard SZDD stream.
inline constexpr int kStartPosition = kWindowSize - 16;

struct LongestMatch {
  std::uint8_t length = 0;     // 0..18; a length below 3 cannot be coded as a match
  std::uint16_t distance = 0;  // 1..4096 bytes back, when length > 0
};

std::vector<LongestMatch> FindLongestMatches(std::span<const std::uint8_t> data);

// The absolute ring position that reaches `distance` bytes back from data position `position`.
std::uint16_t RingPosition(std::uint64_t position, std::uint16_t distance);

}  // namespace bench
