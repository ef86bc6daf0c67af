// The Quantum decoder on any folder. The first byte picks the level and the window; then come the
// blocks, each as its expanded size and its coded length (two bytes each, little-endian, the size
// taken as 1 + size % 32 KiB) and its coded bytes, cut short where the input ends.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/format.h"
#include "fuzz_input.h"
#include "quantum/quantum_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using codec_fuzz::Check;
  if (size == 0) return 0;
  const auto decoder = codec::QuantumDecoder::Create(1 + data[0] / 12 % 7, 10 + data[0] % 12);
  Check(decoder != nullptr);
  std::span<const std::uint8_t> rest(data + 1, size - 1);
  codec::Error error = codec::Error::kOk;
  std::vector<std::uint8_t> out;
  while (rest.size() >= 4 && error == codec::Error::kOk) {
    out.assign(1 + codec::LoadLe16(rest.data()) % codec::kMaxBlockOutput, 0);
    const std::size_t coded =
        std::min<std::size_t>(codec::LoadLe16(rest.data() + 2), rest.size() - 4);
    error = decoder->Decode(rest.subspan(4, coded), out);
    Check(error == codec::Error::kOk || error == codec::Error::kCorruptData);
    rest = rest.subspan(4 + coded);
  }
  // The error stays.
  if (error != codec::Error::kOk) Check(decoder->Decode(rest, out) == error);
  return 0;
}
