// The decoders' single way out to the caller's sink: counts what goes out and refuses to pass the
// length announced by the header, so that no decoder can give more bytes than its file promises.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "codec/codec.h"

namespace codec {

class CheckedOutput {
 public:
  CheckedOutput(ByteSink& sink, std::optional<std::uint32_t> expected)
      : sink_(sink), expected_(expected) {}

  // kLengthMismatch if the bytes would pass the expected length (nothing is written then),
  // kOutputFailed if the sink refuses them.
  Error Write(std::span<const std::uint8_t> bytes);

  // At the end of the data: kTruncated if the expected length was not reached.
  Error CheckComplete() const;

  std::uint64_t written() const { return written_; }
  std::optional<std::uint32_t> expected() const { return expected_; }

 private:
  ByteSink& sink_;
  std::optional<std::uint32_t> expected_;
  std::uint64_t written_ = 0;
};

}  // namespace codec
