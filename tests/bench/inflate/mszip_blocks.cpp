#include "inflate/mszip_blocks.h"

#include "cab/cabinet_format.h"
#include "common/format.h"

namespace bench {

std::optional<std::vector<MsZipBlock>> MsZipBlocks(std::span<const std::uint8_t> cabinet) {
  const auto fits = [&cabinet](std::size_t at, std::size_t size) {
    return at <= cabinet.size() && size <= cabinet.size() - at;
  };
  if (!fits(0, codec::kCabinetHeaderSize)) return std::nullopt;
  const std::uint16_t folders = codec::LoadLe16(&cabinet[26]);
  const std::uint16_t flags = codec::LoadLe16(&cabinet[30]);
  if ((flags & (codec::kCabinetHasPrevious | codec::kCabinetHasNext)) != 0) return std::nullopt;
  std::size_t at = codec::kCabinetHeaderSize;
  std::size_t folder_reserve = 0;
  std::size_t data_reserve = 0;
  if ((flags & codec::kCabinetHasReserve) != 0) {
    if (!fits(at, 4)) return std::nullopt;
    folder_reserve = cabinet[at + 2];
    data_reserve = cabinet[at + 3];
    at += std::size_t{4} + codec::LoadLe16(&cabinet[at]);
  }
  std::vector<MsZipBlock> blocks;
  for (std::uint16_t folder = 0; folder < folders; ++folder) {
    const std::size_t record = at + folder * (codec::kCabinetFolderSize + folder_reserve);
    if (!fits(record, codec::kCabinetFolderSize)) return std::nullopt;
    std::size_t block = codec::LoadLe32(&cabinet[record]);
    const std::uint16_t count = codec::LoadLe16(&cabinet[record + 4]);
    const std::uint16_t type = codec::LoadLe16(&cabinet[record + 6]);
    if ((type & codec::kMethodMask) != codec::kMethodMsZip) return std::nullopt;
    for (std::uint16_t i = 0; i < count; ++i) {
      if (!fits(block, codec::kCabinetDataHeaderSize + data_reserve)) return std::nullopt;
      const std::size_t coded = codec::LoadLe16(&cabinet[block + 4]);
      const std::size_t expanded = codec::LoadLe16(&cabinet[block + 6]);
      block += codec::kCabinetDataHeaderSize + data_reserve;
      if (!fits(block, coded)) return std::nullopt;
      blocks.push_back({cabinet.subspan(block, coded), expanded});
      block += coded;
    }
  }
  return blocks;
}

}  // namespace bench
