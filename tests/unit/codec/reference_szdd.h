// Deliberately simple SZDD models for checking the codec: a whole-buffer exact shortest parse
// over brute-force longest matches, and a ring-buffer decoder that checks every item it reads.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace codec_test {

// Fewest bits any SZDD stream of `data` can take: 9 per literal, 17 per match.
std::uint64_t MinimumSzddBits(std::span<const std::uint8_t> data);

struct NaiveDecode {
  bool ok = false;  // header sound, every item whole, length as announced
  std::vector<std::uint8_t> output;
  std::uint64_t literals = 0;
  std::uint64_t matches = 0;
  std::uint64_t bits() const { return 9 * literals + 17 * matches; }
};

// Decodes an SZDD file (14-byte header) with a plain 4,096-byte ring.
NaiveDecode DecodeSzddNaively(std::span<const std::uint8_t> file);

}  // namespace codec_test
