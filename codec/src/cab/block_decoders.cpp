#include "cab/block_decoders.h"

#include <algorithm>

#include "cab/cabinet_format.h"
#include "lzx/lzx_decoder.h"
#include "mszip/mszip_block_decoder.h"
#include "quantum/quantum_decoder.h"

namespace codec {
namespace {

// Stored blocks: the coded bytes are the data.
class StoredBlockDecoder final : public BlockDecoder {
 public:
  Error Decode(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) override {
    if (input.size() != output.size()) return Error::kCorruptData;
    std::copy(input.begin(), input.end(), output.begin());
    return Error::kOk;
  }
};

}  // namespace

Error DescribeMethod(std::uint16_t type, MethodInfo& info) {
  info = {};
  const unsigned window = (type >> 8) & 0x1Fu;
  switch (type & kMethodMask) {
    case kMethodStored:
      info.method = CabinetMethod::kStored;
      return Error::kOk;
    case kMethodMsZip:
      info.method = CabinetMethod::kMsZip;
      return Error::kOk;
    case kMethodQuantum:
      info.method = CabinetMethod::kQuantum;
      info.window_bits = window;
      info.quantum_level = (type >> 4) & 0x0Fu;
      return window >= 10 && window <= 21 && info.quantum_level >= 1 && info.quantum_level <= 7
                 ? Error::kOk
                 : Error::kUnknownMethod;
    case kMethodLzx:
      info.method = CabinetMethod::kLzx;
      info.window_bits = window;
      return window >= 15 && window <= 21 ? Error::kOk : Error::kUnknownMethod;
    default:
      return Error::kUnknownMethod;
  }
}

std::unique_ptr<BlockDecoder> MakeBlockDecoder(const MethodInfo& info) {
  switch (info.method) {
    case CabinetMethod::kStored:
      return std::make_unique<StoredBlockDecoder>();
    case CabinetMethod::kMsZip:
      return std::make_unique<MsZipBlockDecoder>();
    case CabinetMethod::kQuantum:
      return QuantumDecoder::Create(info.quantum_level, info.window_bits);
    case CabinetMethod::kLzx:
      return std::make_unique<LzxDecoder>(info.window_bits);
  }
  return nullptr;
}

}  // namespace codec
