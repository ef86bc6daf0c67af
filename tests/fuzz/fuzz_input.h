// Shared by the codec's fuzz targets: the first input byte picks the chunk size that data is fed
// in, so that every target also exercises items split across Feed() calls.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "codec/codec.h"

namespace codec_fuzz {

struct Input {
  std::size_t chunk = 1;
  std::vector<std::uint8_t> bytes;
};

inline Input Split(const std::uint8_t* data, std::size_t size) {
  Input input;
  if (size == 0) return input;
  static constexpr std::size_t kChunks[] = {1, 2, 3, 7, 64, 4096, std::size_t{1} << 30};
  input.chunk = kChunks[data[0] % std::size(kChunks)];
  input.bytes.assign(data + 1, data + size);
  return input;
}

// A broken invariant stops the run, so that libFuzzer and the replay test both report it.
inline void Check(bool condition) {
  if (!condition) std::abort();
}

// Expands `file` and checks what a successful expansion promises.
inline void ExpandAndCheck(std::span<const std::uint8_t> file, std::size_t chunk) {
  codec::VectorSink sink;
  codec::Expander expander(sink);
  codec::Error error = codec::Error::kOk;
  for (std::size_t at = 0; at < file.size() && error == codec::Error::kOk; at += chunk) {
    error = expander.Feed(file.subspan(at, std::min(chunk, file.size() - at)));
  }
  if (error == codec::Error::kOk) error = expander.Finish();
  const codec::Header* header = expander.header();
  Check(!codec::ToText(error).empty());
  if (codec::IsCutSignature(file)) Check(error == codec::Error::kTruncated);
  if (error == codec::Error::kOk) {
    Check(header != nullptr);
    if (header->length) Check(sink.bytes.size() == *header->length);
  }
  // The error stays.
  if (error != codec::Error::kOk) Check(expander.Finish() == error);
}

}  // namespace codec_fuzz
