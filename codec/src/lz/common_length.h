// How far two stretches of bytes agree, eight bytes at a time: the inner loop of match search.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace codec::lz {

// How far a and b agree, from `from` on and up to `limit`; a + limit and b + limit must stay
// inside their bytes.
inline std::uint32_t CommonLength(const std::uint8_t* a, const std::uint8_t* b, std::uint32_t from,
                                  std::uint32_t limit) {
  std::uint32_t n = from;
  while (n + 8 <= limit) {
    std::uint64_t x = 0;
    std::uint64_t y = 0;
    std::memcpy(&x, a + n, sizeof x);
    std::memcpy(&y, b + n, sizeof y);
    if (x != y) return n + static_cast<std::uint32_t>(std::countr_zero(x ^ y) / 8);
    n += 8;
  }
  while (n < limit && a[n] == b[n])
    ++n;
  return n;
}

}  // namespace codec::lz
