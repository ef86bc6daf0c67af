#include "support/crafted_cabinet.h"

namespace codec_test {

using codec::PutLe16;
using codec::PutLe32;

namespace {

void PutName(Bytes& out, const std::string& name) {
  out.insert(out.end(), name.begin(), name.end());
  out.push_back(0);
}

}  // namespace

Bytes BuildCabinet(const CraftedCabinet& cabinet) {
  const bool reserve = cabinet.force_reserve_flag || cabinet.header_reserve != 0 ||
                       cabinet.folder_reserve != 0 || cabinet.data_reserve != 0;
  std::uint16_t flags = 0;
  if (cabinet.previous) flags |= codec::kCabinetHasPrevious;
  if (cabinet.next) flags |= codec::kCabinetHasNext;
  if (reserve) flags |= codec::kCabinetHasReserve;

  // Everything before the first data block: the header, its optional parts, the folder and file
  // records. Their sizes decide the data blocks' offsets.
  Bytes tail;  // the header after its fixed part
  if (reserve) {
    PutLe16(tail, cabinet.header_reserve);
    tail.push_back(cabinet.folder_reserve);
    tail.push_back(cabinet.data_reserve);
    tail.resize(tail.size() + cabinet.header_reserve, 0xA5);
  }
  if (cabinet.previous) {
    PutName(tail, *cabinet.previous);
    PutName(tail, "DISK");
  }
  if (cabinet.next) {
    PutName(tail, *cabinet.next);
    PutName(tail, "DISK");
  }
  const std::size_t folders_at = codec::kCabinetHeaderSize + tail.size();
  const std::size_t files_at =
      folders_at + cabinet.folders.size() * (codec::kCabinetFolderSize + cabinet.folder_reserve);
  Bytes file_records;
  for (const CraftedFile& file : cabinet.files) {
    PutLe32(file_records, file.size);
    PutLe32(file_records, file.offset);
    PutLe16(file_records, file.folder);
    PutLe16(file_records, file.date);
    PutLe16(file_records, file.time);
    PutLe16(file_records, file.attributes);
    PutName(file_records, file.name);
  }
  std::size_t data_at = files_at + file_records.size();
  Bytes folder_records;
  Bytes data;
  for (const CraftedFolder& folder : cabinet.folders) {
    PutLe32(folder_records, static_cast<std::uint32_t>(data_at + data.size()));
    PutLe16(folder_records, static_cast<std::uint16_t>(folder.blocks.size()));
    PutLe16(folder_records, folder.type);
    folder_records.resize(folder_records.size() + cabinet.folder_reserve, 0x5A);
    for (const CraftedBlock& block : folder.blocks) {
      const std::size_t at = data.size();
      codec::AppendDataBlock(data, block.coded, block.expanded_size, cabinet.data_reserve);
      if (block.checksum) {
        for (int i = 0; i < 4; ++i) {
          data[at + static_cast<std::size_t>(i)] =
              static_cast<std::uint8_t>(*block.checksum >> (8 * i));
        }
      }
    }
  }

  Bytes out(std::begin(codec::kCabinetSignature), std::end(codec::kCabinetSignature));
  PutLe32(out, 0);
  PutLe32(out, static_cast<std::uint32_t>(data_at + data.size()));
  PutLe32(out, 0);
  PutLe32(out, static_cast<std::uint32_t>(files_at));
  PutLe32(out, 0);
  out.push_back(codec::kCabinetVersionMinor);
  out.push_back(codec::kCabinetVersionMajor);
  PutLe16(out, static_cast<std::uint16_t>(cabinet.folders.size()));
  PutLe16(out, static_cast<std::uint16_t>(cabinet.files.size()));
  PutLe16(out, flags);
  PutLe16(out, cabinet.set_id);
  PutLe16(out, cabinet.index);
  out.insert(out.end(), tail.begin(), tail.end());
  out.insert(out.end(), folder_records.begin(), folder_records.end());
  out.insert(out.end(), file_records.begin(), file_records.end());
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

std::vector<CraftedBlock> StoredBlocks(const Bytes& data) {
  std::vector<CraftedBlock> blocks;
  for (std::size_t at = 0; at < data.size(); at += 32768) {
    const std::size_t size = std::min<std::size_t>(32768, data.size() - at);
    blocks.push_back({Bytes(data.begin() + static_cast<std::ptrdiff_t>(at),
                            data.begin() + static_cast<std::ptrdiff_t>(at + size)),
                      static_cast<std::uint16_t>(size),
                      {}});
  }
  return blocks;
}

Bytes SingleFileCabinet(const std::string& name, std::uint16_t type,
                        std::vector<CraftedBlock> blocks) {
  std::uint32_t size = 0;
  for (const CraftedBlock& block : blocks)
    size += block.expanded_size;
  CraftedCabinet cabinet;
  cabinet.folders.push_back({type, std::move(blocks)});
  cabinet.files.push_back({name, size, 0, 0});
  return BuildCabinet(cabinet);
}

}  // namespace codec_test
