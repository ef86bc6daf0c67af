#include "kwaj/kwaj_stored.h"

#include <algorithm>

namespace codec {

Error KwajStoredDecoder::Feed(std::span<const std::uint8_t> bytes) {
  if (xor_mask_ == 0) return out_.Write(bytes);
  while (!bytes.empty()) {
    const std::size_t n = std::min(bytes.size(), scratch_.size());
    std::transform(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n), scratch_.begin(),
                   [this](std::uint8_t b) { return static_cast<std::uint8_t>(b ^ xor_mask_); });
    if (const Error e = out_.Write(std::span(scratch_).first(n)); e != Error::kOk) return e;
    bytes = bytes.subspan(n);
  }
  return Error::kOk;
}

}  // namespace codec
