// The chosen files of one folder, from its data blocks: each block read and checked, decoded, and
// its bytes handed to the files it holds, in the order of the data, decoding only as far as the
// files need. (A second thread handing the blocks over was tried: its wake-ups cost more than the
// writing it overlapped.)
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "cab/folder_blocks.h"
#include "codec/codec.h"
#include "common/block_codec.h"

namespace codec {

struct ChosenFile {
  std::size_t index = 0;  // the entry's, for the target
  std::uint64_t start = 0;
  std::uint64_t size = 0;
};

// `files`: by start. `missing_next`: the cabinet the folder runs into, when it could not be had.
void ExtractFolderData(FolderBlocks& blocks, BlockDecoder& decoder, const std::string* missing_next,
                       std::span<const ChosenFile> files, CabinetTarget& target);

}  // namespace codec
