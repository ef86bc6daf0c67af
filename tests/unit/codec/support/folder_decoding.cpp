#include "support/folder_decoding.h"

namespace codec_test {

DecodedFolder DecodeFolder(codec::BlockDecoder& decoder, const std::vector<CraftedBlock>& blocks) {
  DecodedFolder folder;
  for (const CraftedBlock& block : blocks) {
    Bytes out(block.expanded_size);
    folder.error = decoder.Decode(block.coded, out);
    if (folder.error != codec::Error::kOk) break;
    folder.bytes.insert(folder.bytes.end(), out.begin(), out.end());
  }
  return folder;
}

}  // namespace codec_test
