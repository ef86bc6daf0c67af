// Fuzz targets aimed at one format: the input is a whole file after the chunk byte, with its first
// eight bytes replaced by that format's signature, so that every input reaches its decoder.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "fuzz_input.h"

namespace codec_fuzz {

inline int ExpandWithSignature(const std::uint8_t* data, std::size_t size,
                               const std::array<std::uint8_t, 8>& signature) {
  Input input = Split(data, size);
  std::copy_n(signature.begin(), std::min(signature.size(), input.bytes.size()),
              input.bytes.begin());
  ExpandAndCheck(input.bytes, input.chunk);
  return 0;
}

}  // namespace codec_fuzz
