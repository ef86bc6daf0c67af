// The encoder of a folder's method, for the cabinets we write.
#pragma once

#include <cstdint>
#include <memory>

#include "codec/codec.h"
#include "common/block_codec.h"

namespace codec {

// Null for a method or window that no encoder here writes; `type` receives the folder's
// compression type.
std::unique_ptr<FolderEncoder> MakeFolderEncoder(const CabinetCompression& compression,
                                                 BlockSink& sink, std::uint16_t& type);

}  // namespace codec
