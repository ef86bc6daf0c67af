// What our inflater and zlib make of one MSZIP block's stream, side by side.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "inflate/inflater.h"
#include "support/zlib_block.h"

namespace codec_test {

struct Verdict {
  bool ok = false;
  std::vector<std::uint8_t> bytes;
};

inline Verdict OurVerdict(const std::vector<std::uint8_t>& stream,
                          const std::vector<std::uint8_t>& history, std::size_t size) {
  Verdict verdict{false, std::vector<std::uint8_t>(size)};
  codec::deflate::Inflater inflater;
  verdict.ok = inflater.Inflate(stream, history, verdict.bytes);
  return verdict;
}

inline Verdict ZlibVerdict(const std::vector<std::uint8_t>& stream,
                           const std::vector<std::uint8_t>& history, std::size_t size) {
  Verdict verdict{false, std::vector<std::uint8_t>(size)};
  verdict.ok = ZlibInflateBlock(stream, history, verdict.bytes);
  return verdict;
}

}  // namespace codec_test
