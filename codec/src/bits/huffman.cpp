#include "bits/huffman.h"

namespace codec {

bool HuffmanDecoder::Build(std::span<const std::uint8_t> lengths) {
  count_.fill(0);
  for (const std::uint8_t length : lengths) {
    if (length > kMaxCodeLength) return false;
    ++count_[length];
  }
  count_[0] = 0;
  std::int32_t left = 1;  // code space still free at the current length
  std::int32_t used = 0;
  for (unsigned length = 1; length <= kMaxCodeLength; ++length) {
    left = left * 2 - count_[length];
    used += count_[length];
    if (left < 0) return false;
  }
  if (left != 0 && used > 1) return false;
  std::array<std::uint16_t, kMaxCodeLength + 2> offset{};
  for (unsigned length = 1; length <= kMaxCodeLength; ++length) {
    offset[length + 1] = static_cast<std::uint16_t>(offset[length] + count_[length]);
  }
  symbols_.assign(offset[kMaxCodeLength + 1], 0);
  for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
    if (lengths[symbol] != 0)
      symbols_[offset[lengths[symbol]]++] = static_cast<std::uint16_t>(symbol);
  }
  return true;
}

int HuffmanDecoder::Decode(MsbBitReader& reader) const {
  std::int32_t code = 0;   // bits read so far
  std::int32_t first = 0;  // first code of the current length
  std::int32_t index = 0;  // index in symbols_ of that first code
  for (unsigned length = 1; length <= kMaxCodeLength; ++length) {
    code |= static_cast<std::int32_t>(reader.Bit());
    const std::int32_t count = count_[length];
    if (code - first < count) {
      return reader.overrun() ? -1 : symbols_[static_cast<std::size_t>(index + code - first)];
    }
    index += count;
    first = (first + count) << 1;
    code <<= 1;
  }
  return -1;
}

}  // namespace codec
