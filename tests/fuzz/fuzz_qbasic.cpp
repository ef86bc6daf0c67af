// The QBasic SZDD variant's decoder on anything behind its signature.
#include "forced_signature.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return codec_fuzz::ExpandWithSignature(data, size,
                                         {0x53, 0x5A, 0x20, 0x88, 0xF0, 0x27, 0x33, 0xD1});
}
