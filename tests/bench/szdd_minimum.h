// The smallest SZDD file that can hold a given buffer, computed exactly and independently of the
// codec, with an SZDD file of that size as evidence that the minimum can be reached.
//
// A literal costs 9 bits (its byte and its flag bit) and a match 17 bits (two bytes and a flag
// bit), wherever it points. An encoding with L literals and M matches takes L + 2M item bytes and
// ceil((L + M) / 8) flag bytes after the 14-byte header, which is exactly
// 14 + ceil((9L + 17M) / 8) bytes. That grows with 9L + 17M, so the smallest file is
// 14 + ceil(B / 8) bytes, B being the fewest bits of any parse: a shortest path over the positions
// where each step is a literal or a match of length 3..18 available there. Any shorter prefix of a
// match is a match too, so the longest match at each position tells every step available.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace bench {

inline constexpr std::uint64_t kSzddHeaderSize = 14;

struct Minimum {
  std::uint64_t bits = 0;          // item and flag bits of the cheapest parse
  std::uint64_t bytes = 0;         // the whole file: kSzddHeaderSize + ceil(bits / 8)
  std::vector<std::uint8_t> file;  // an SZDD file of `bytes` bytes coding the cheapest parse
};

Minimum ComputeMinimum(std::span<const std::uint8_t> data);

}  // namespace bench
