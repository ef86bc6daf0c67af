// The LZSS stream of SZDD files (also KWAJ method 2): groups of one flag byte and up to eight
// items.
#pragma once

#include <cstdint>

#include "common/checked_output.h"
#include "common/lz_window.h"
#include "common/stream_decoder.h"

namespace codec {

class SzddStreamDecoder final : public StreamDecoder {
 public:
  // start: ring index of the first output byte (kSzddStart, or kQBasicStart for the QBasic variant
  // and KWAJ method 2).
  SzddStreamDecoder(CheckedOutput& out, std::uint32_t start) : out_(out), window_(out, start) {}

  Error Feed(std::span<const std::uint8_t> bytes) override;
  Error Finish() override;

 private:
  Error Match(std::uint8_t b0, std::uint8_t b1) {
    return window_.CopyFromRing(b0 | ((b1 & 0xF0u) << 4), (b1 & 0x0Fu) + kSzddMinMatch);
  }

  CheckedOutput& out_;
  LzWindow window_;
  std::uint32_t flags_ = 1;  // flag bits still to use, above a marker bit; 1 = need a flag byte
  bool have_first_byte_ = false;  // a match whose second byte has not arrived yet
  std::uint8_t first_byte_ = 0;
};

}  // namespace codec
