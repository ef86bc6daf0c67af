#include "codec/codec.h"

namespace codec {

bool VectorSink::Write(std::span<const std::uint8_t> chunk) {
  bytes.insert(bytes.end(), chunk.begin(), chunk.end());
  return true;
}

}  // namespace codec
