#include "reference_szdd.h"

#include <algorithm>
#include <array>
#include <limits>

namespace codec_test {

std::uint64_t MinimumSzddBits(std::span<const std::uint8_t> data) {
  constexpr std::size_t kPrefix = 4096;  // the spaces the window starts with
  const std::size_t n = data.size();
  std::vector<std::uint8_t> text;
  text.assign(kPrefix + n, 0x20);
  for (std::size_t i = 0; i < n; ++i)
    text[kPrefix + i] = data[i];
  std::vector<std::uint64_t> cost{0};
  cost.resize(n + 1, std::numeric_limits<std::uint64_t>::max());
  for (std::size_t i = 0; i < n; ++i) {
    cost[i + 1] = std::min(cost[i + 1], cost[i] + 9);
    const std::size_t cap = std::min<std::size_t>(18, n - i);
    std::size_t longest = 0;
    // Every distance 1..4096; comparing text[j] with text[j - d] is the byte-by-byte copy.
    for (std::size_t d = 1; d <= 4096 && longest < cap; ++d) {
      std::size_t length = 0;
      while (length < cap && text[kPrefix + i + length] == text[kPrefix + i + length - d])
        ++length;
      longest = std::max(longest, length);
    }
    for (std::size_t length = 3; length <= longest; ++length) {
      cost[i + length] = std::min(cost[i + length], cost[i] + 17);
    }
  }
  return cost[n];
}

NaiveDecode DecodeSzddNaively(std::span<const std::uint8_t> file) {
  NaiveDecode result;
  constexpr std::array<std::uint8_t, 9> kHead{0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33, 0x41};
  if (file.size() < 14 || !std::equal(kHead.begin(), kHead.end(), file.begin())) return result;
  std::uint32_t length = 0;
  for (int i = 3; i >= 0; --i)
    length = (length << 8u) | file[10 + static_cast<std::size_t>(i)];
  std::array<std::uint8_t, 4096> ring{};
  ring.fill(0x20);
  std::uint32_t write = 4096 - 16;
  std::size_t pos = 14;
  while (pos < file.size()) {
    const std::uint8_t flags = file[pos++];
    for (int bit = 0; bit < 8 && pos < file.size(); ++bit) {
      if ((flags >> bit) & 1) {
        const std::uint8_t byte = file[pos++];
        result.output.push_back(byte);
        ring[write] = byte;
        write = (write + 1) & 4095;
        ++result.literals;
      } else {
        if (pos + 2 > file.size()) return result;
        std::uint32_t source = file[pos] | ((std::uint32_t{file[pos + 1]} & 0xF0u) << 4u);
        const int count = (file[pos + 1] & 0x0F) + 3;
        pos += 2;
        for (int i = 0; i < count; ++i) {
          const std::uint8_t byte = ring[source];
          source = (source + 1) & 4095;
          result.output.push_back(byte);
          ring[write] = byte;
          write = (write + 1) & 4095;
        }
        ++result.matches;
      }
    }
  }
  result.ok = result.output.size() == length;
  return result;
}

}  // namespace codec_test
