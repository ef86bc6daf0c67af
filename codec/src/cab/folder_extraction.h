// The chosen files of one folder, from its data blocks: each block read and checked, decoded, and
// its bytes handed to the files it holds, in the order of the data. Reading and decoding run on a
// second thread, a few blocks ahead, so that they overlap the files' writing; every CabinetTarget
// call comes from the calling thread. The second thread takes no signal, and a read failure that
// it meets is thrown again on the calling thread.
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
// Memory: kBlocksInFlight expanded blocks.
inline constexpr std::size_t kBlocksInFlight = 8;
void ExtractFolderData(FolderBlocks& blocks, BlockDecoder& decoder, const std::string* missing_next,
                       std::span<const ChosenFile> files, CabinetTarget& target);

}  // namespace codec
