// What the expander drives once a header has been read: the coded data of one method, fed in
// chunks of any size, then ended.
#pragma once

#include <cstdint>
#include <span>

#include "codec/codec.h"

namespace codec {

class StreamDecoder {
 public:
  virtual ~StreamDecoder() = default;
  // Decodes what it can of the next chunk; keeps any partial item for the next call.
  virtual Error Feed(std::span<const std::uint8_t> bytes) = 0;
  // No more input: decodes what is left, checks the data ended cleanly, flushes the output.
  virtual Error Finish() = 0;
};

}  // namespace codec
