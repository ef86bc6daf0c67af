#include "common/checked_output.h"

namespace codec {

Error CheckedOutput::Write(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return Error::kOk;
  if (expected_ && written_ + bytes.size() > *expected_) return Error::kLengthMismatch;
  if (!sink_.Write(bytes)) return Error::kOutputFailed;
  written_ += bytes.size();
  return Error::kOk;
}

Error CheckedOutput::CheckComplete() const {
  if (expected_ && written_ < *expected_) return Error::kTruncated;
  return Error::kOk;
}

}  // namespace codec
