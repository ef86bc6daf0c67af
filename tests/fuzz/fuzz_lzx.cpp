// The LZX decoder of cabinet folders, frame by frame. The input: a byte choosing the window (15 to
// 21 bits), then frames, each a 16-bit little-endian coded length, a 16-bit expanded size (taken
// modulo 32 KiB, plus one) and the coded bytes; the last frame takes what is left.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz_input.h"
#include "lzx/lzx_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using codec_fuzz::Check;
  if (size == 0) return 0;
  codec::LzxDecoder decoder(codec::kLzxMinWindowBits + data[0] % 7);
  std::span<const std::uint8_t> input(data + 1, size - 1);
  std::vector<std::uint8_t> output(codec::kMaxBlockOutput);
  auto le16 = [&](std::size_t at) {
    return std::size_t{input[at]} | std::size_t{input[at + 1]} << 8;
  };
  while (input.size() >= 4) {
    const std::size_t length = std::min(le16(0), input.size() - 4);
    const std::size_t expanded = le16(2) % codec::kMaxBlockOutput + 1;
    const std::span<const std::uint8_t> coded = input.subspan(4, length);
    input = input.subspan(4 + length);
    const codec::Error error = decoder.Decode(coded, std::span(output).first(expanded));
    Check(error == codec::Error::kOk || error == codec::Error::kCorruptData);
    if (error != codec::Error::kOk) {
      // The error stays.
      Check(decoder.Decode(coded, std::span(output).first(expanded)) == error);
      break;
    }
  }
  return 0;
}
