#include "szdd/szdd_stream.h"

namespace codec {

Error SzddStreamDecoder::Feed(std::span<const std::uint8_t> bytes) {
  const std::uint8_t* p = bytes.data();
  const std::uint8_t* const end = p + bytes.size();
  Error e = Error::kOk;
  if (have_first_byte_ && p < end) {
    have_first_byte_ = false;
    e = Match(first_byte_, *p++);
  }
  // Whole groups at full speed while one surely fits in the input and in the window.
  constexpr std::ptrdiff_t kLongestGroup = 1 + 8 * 2;
  while (e == Error::kOk && flags_ == 1 && end - p >= kLongestGroup) {
    if (window_.room() < std::size_t{8} * kSzddMaxMatch) {
      e = window_.Flush();
      continue;
    }
    std::uint32_t flags = *p++;
    for (int item = 0; item < 8; ++item, flags >>= 1u) {
      if ((flags & 1u) != 0) {
        window_.PutLiteral(*p++);
      } else {
        window_.PutRingCopy(p[0] | ((p[1] & 0xF0u) << 4u), (p[1] & 0x0Fu) + kSzddMinMatch);
        p += 2;
      }
    }
  }
  while (e == Error::kOk && p < end) {
    if (flags_ == 1) {
      flags_ = 0x100u | *p++;
      continue;
    }
    if ((flags_ & 1u) != 0) {
      e = window_.Literal(*p++);
    } else if (end - p >= 2) {
      e = Match(p[0], p[1]);
      p += 2;
    } else {
      first_byte_ = *p++;
      have_first_byte_ = true;
    }
    flags_ >>= 1;
  }
  return e;
}

Error SzddStreamDecoder::Finish() {
  if (have_first_byte_) return Error::kTruncated;
  if (const Error e = window_.Flush(); e != Error::kOk) return e;
  return out_.CheckComplete();
}

}  // namespace codec
