#include <algorithm>

#include "cab/cabinet_format.h"
#include "codec/codec.h"

namespace codec {

bool IsCabinet(std::span<const std::uint8_t> prefix) {
  return prefix.size() >= kCabinetSignatureLength &&
         std::equal(std::begin(kCabinetSignature), std::end(kCabinetSignature), prefix.begin());
}

}  // namespace codec
