// KWAJ methods 0 (stored) and 1 (stored, every byte inverted).
#pragma once

#include <array>
#include <cstdint>

#include "common/checked_output.h"
#include "common/stream_decoder.h"

namespace codec {

class KwajStoredDecoder final : public StreamDecoder {
 public:
  KwajStoredDecoder(CheckedOutput& out, std::uint8_t xor_mask) : out_(out), xor_mask_(xor_mask) {}

  Error Feed(std::span<const std::uint8_t> bytes) override;
  Error Finish() override { return out_.CheckComplete(); }

 private:
  CheckedOutput& out_;
  std::uint8_t xor_mask_;
  std::array<std::uint8_t, 4096> scratch_{};
};

}  // namespace codec
