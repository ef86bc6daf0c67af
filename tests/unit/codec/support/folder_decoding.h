// Runs a block decoder over a folder's crafted blocks, as a cabinet reader would.
#pragma once

#include <vector>

#include "codec/codec.h"
#include "common/block_codec.h"
#include "support/crafted_cabinet.h"

namespace codec_test {

struct DecodedFolder {
  codec::Error error = codec::Error::kOk;  // the first error, after which decoding stopped
  Bytes bytes;                             // the blocks decoded before it
};

DecodedFolder DecodeFolder(codec::BlockDecoder& decoder, const std::vector<CraftedBlock>& blocks);

}  // namespace codec_test
