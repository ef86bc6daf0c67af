#include "cab/block_encoders.h"

#include "cab/cabinet_format.h"
#include "lzx/lzx_encoder.h"
#include "mszip/mszip_encoder.h"

namespace codec {

std::unique_ptr<FolderEncoder> MakeFolderEncoder(const CabinetCompression& compression,
                                                 BlockSink& sink, std::uint16_t& type) {
  switch (compression.method) {
    case CabinetMethod::kMsZip:
      type = kMethodMsZip;
      return std::make_unique<MsZipEncoder>(sink, compression.threads);
    case CabinetMethod::kLzx:
      if (compression.window_bits < kLzxMinWindowBits ||
          compression.window_bits > kLzxMaxWindowBits) {
        break;
      }
      type = LzxType(compression.window_bits);
      return std::make_unique<LzxEncoder>(sink, compression.window_bits, compression.threads);
    case CabinetMethod::kStored:
    case CabinetMethod::kQuantum:
      break;
  }
  return nullptr;
}

}  // namespace codec
