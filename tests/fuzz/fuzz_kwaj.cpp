// The KWAJ header parser and its five methods on anything behind a KWAJ signature.
#include "forced_signature.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return codec_fuzz::ExpandWithSignature(data, size,
                                         {0x4B, 0x57, 0x41, 0x4A, 0x88, 0xF0, 0x27, 0xD1});
}
