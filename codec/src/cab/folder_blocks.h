// The data blocks of one folder, read in order across the cabinets it spans: each checked
// against its checksum and the format's size limits, a block split between two cabinets joined.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cab/cabinet_directory.h"
#include "cab/source_reader.h"
#include "codec/codec.h"

namespace codec {

// The part of a folder that one cabinet holds.
struct FolderSegment {
  CabinetSource* source = nullptr;
  const std::string* cabinet = nullptr;  // its name, for messages
  FolderRecord record;
  std::uint8_t data_reserve = 0;
};

class FolderBlocks {
 public:
  // `missing_next`: the folder runs into a cabinet that could not be had (named there).
  FolderBlocks(std::vector<FolderSegment> segments, const std::string* missing_next);

  // The next block's coded bytes (valid until the next call) and expanded size; `ended` when the
  // folder has no block left. Errors: kTruncated (a cabinet ends inside a block), kCorruptData
  // (a wrong checksum, impossible sizes), kMissingPart (a block runs into the missing cabinet);
  // `detail` says which block, in French.
  Error Next(std::span<const std::uint8_t>& coded, std::uint16_t& expanded, bool& ended,
             std::string& detail);

  // "bloc N du dossier, dans « CABINET »": the block last read, for messages.
  std::string Where() const;

 private:
  std::vector<FolderSegment> segments_;
  const std::string* missing_next_;
  std::size_t segment_ = 0;
  std::uint32_t block_ = 0;   // within the segment
  std::uint32_t number_ = 0;  // within the folder, from 1, for messages
  std::optional<SourceReader> reader_;
  std::vector<std::uint8_t> coded_;
};

}  // namespace codec
