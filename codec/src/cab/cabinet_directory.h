// One cabinet's directory: its header, folder records and file records, read and checked.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "codec/codec.h"

namespace codec {

struct FolderRecord {
  std::uint32_t data_offset = 0;  // of its first data block in this cabinet
  std::uint16_t block_count = 0;  // in this cabinet
  std::uint16_t type = 0;         // method and its parameters
};

struct FileRecord {
  std::uint32_t size = 0;
  std::uint32_t offset = 0;  // in its folder's expanded data, from the folder's very start
  std::uint16_t folder = 0;  // an index, or one of the "continued" marks
  std::uint16_t date = 0;
  std::uint16_t time = 0;
  std::uint16_t attributes = 0;
  std::string name;  // UTF-8
};

struct CabinetDirectory {
  std::uint16_t flags = 0;
  std::uint16_t set_id = 0;
  std::uint16_t index = 0;  // in its set
  std::uint8_t data_reserve = 0;
  std::string previous;  // cabinet names of the set's neighbours, when the flags say so
  std::string next;
  std::vector<FolderRecord> folders;
  std::vector<FileRecord> files;

  // Whether files of this cabinet come from the previous one, or run into the next one.
  bool ContinuesFromPrevious() const;
  bool ContinuesToNext() const;
};

// Errors: kNotCompressed (no signature), kTruncated (the file ends inside the directory),
// kBadHeader (impossible values); `detail` then says where, in French.
Error ReadCabinetDirectory(CabinetSource& source, CabinetDirectory& directory, std::string& detail);

}  // namespace codec
