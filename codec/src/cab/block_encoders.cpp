#include "cab/block_encoders.h"

#include "cab/cabinet_format.h"
#include "mszip/mszip_encoder.h"

namespace codec {

std::unique_ptr<FolderEncoder> MakeFolderEncoder(const CabinetCompression& compression,
                                                 BlockSink& sink, std::uint16_t& type) {
  switch (compression.method) {
    case CabinetMethod::kMsZip:
      type = kMethodMsZip;
      return std::make_unique<MsZipEncoder>(sink, compression.threads);
    case CabinetMethod::kStored:
    case CabinetMethod::kQuantum:
    case CabinetMethod::kLzx:
      break;
  }
  return nullptr;
}

}  // namespace codec
