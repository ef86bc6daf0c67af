// The expander as the tools use it: format detection, then whatever decoder the bytes ask for.
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const codec_fuzz::Input input = codec_fuzz::Split(data, size);
  codec_fuzz::ExpandAndCheck(input.bytes, input.chunk);
  return 0;
}
