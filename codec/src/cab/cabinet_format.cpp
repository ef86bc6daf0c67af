#include "cab/cabinet_format.h"

#include "common/format.h"

namespace codec {

std::uint32_t CabinetChecksum(std::span<const std::uint8_t> bytes, std::uint32_t seed) {
  std::uint32_t sum = seed;
  const std::size_t words = bytes.size() / 4;
  for (std::size_t i = 0; i < words; ++i)
    sum ^= LoadLe32(bytes.data() + 4 * i);
  std::uint32_t tail = 0;
  for (const std::uint8_t byte : bytes.subspan(4 * words))
    tail = (tail << 8) | byte;
  return sum ^ tail;
}

void PutLe16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  PutLe16(out, static_cast<std::uint16_t>(value));
  PutLe16(out, static_cast<std::uint16_t>(value >> 16));
}

void AppendDataBlock(std::vector<std::uint8_t>& out, std::span<const std::uint8_t> coded,
                     std::uint16_t expanded_size, std::size_t reserve) {
  std::vector<std::uint8_t> record;
  PutLe16(record, static_cast<std::uint16_t>(coded.size()));
  PutLe16(record, expanded_size);
  record.resize(record.size() + reserve, 0);
  PutLe32(out, CabinetChecksum(record, CabinetChecksum(coded, 0)));
  out.insert(out.end(), record.begin(), record.end());
  out.insert(out.end(), coded.begin(), coded.end());
}

}  // namespace codec
