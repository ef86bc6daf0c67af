// Cabinets laid out field by field for the tests: any header flag, reserve, set link, folder and
// file record, and data blocks given coded as they are. The checksums are right unless a test
// says otherwise.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cab/cabinet_format.h"

namespace codec_test {

using Bytes = std::vector<std::uint8_t>;

struct CraftedBlock {
  Bytes coded;
  std::uint16_t expanded_size = 0;
  std::optional<std::uint32_t> checksum;  // else the right one; 0 means "no checksum"
};

struct CraftedFolder {
  std::uint16_t type = codec::kMethodStored;
  std::vector<CraftedBlock> blocks;
};

struct CraftedFile {
  std::string name;  // as stored: bytes, no terminating NUL
  std::uint32_t size = 0;
  std::uint32_t offset = 0;  // in the folder's expanded data
  std::uint16_t folder = 0;
  std::uint16_t date = 0x5B89;  // 2025-12-09
  std::uint16_t time = 0x6000;  // 12:00:00
  std::uint16_t attributes = codec::kAttributeArchive;
};

struct CraftedCabinet {
  std::vector<CraftedFolder> folders;
  std::vector<CraftedFile> files;
  std::uint16_t set_id = 0x1234;
  std::uint16_t index = 0;              // in the set
  std::optional<std::string> previous;  // cabinet and disk names of the set's neighbours
  std::optional<std::string> next;
  // Reserve areas: present when any is set.
  std::uint16_t header_reserve = 0;
  std::uint8_t folder_reserve = 0;
  std::uint8_t data_reserve = 0;
  bool force_reserve_flag = false;
};

Bytes BuildCabinet(const CraftedCabinet& cabinet);

// Blocks of at most 32 KiB that store `data` as it is (method "stored").
std::vector<CraftedBlock> StoredBlocks(const Bytes& data);

// A cabinet of one file named `name` in one folder of `type`, from that folder's coded blocks.
Bytes SingleFileCabinet(const std::string& name, std::uint16_t type,
                        std::vector<CraftedBlock> blocks);

}  // namespace codec_test
