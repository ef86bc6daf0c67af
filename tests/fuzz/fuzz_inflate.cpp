// Our inflater against zlib on one or two MSZIP blocks of a folder. The input gives the two
// blocks' expanded sizes (two bytes each, little-endian, taken as 1 + size % 32 KiB), the first
// block's coded length (two bytes), then the coded bytes of both, without "CK": the second block
// copies from the first. Both must agree on success and on the bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/format.h"
#include "fuzz_input.h"
#include "mszip/mszip_block_decoder.h"
#include "support/zlib_block.h"

namespace {

constexpr std::size_t kHeader = 6;

std::vector<std::uint8_t> WithSignature(std::span<const std::uint8_t> coded) {
  std::vector<std::uint8_t> block(2 + coded.size());
  block[0] = 'C';
  block[1] = 'K';
  std::copy(coded.begin(), coded.end(), block.begin() + 2);
  return block;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using codec_fuzz::Check;
  if (size < kHeader) return 0;
  const std::span<const std::uint8_t> coded(data + kHeader, size - kHeader);
  const std::size_t first_length = std::min<std::size_t>(codec::LoadLe16(data + 4), coded.size());
  const std::span<const std::uint8_t> blocks[] = {coded.first(first_length),
                                                  coded.subspan(first_length)};
  codec::MsZipBlockDecoder decoder;
  std::vector<std::uint8_t> history;
  for (std::size_t i = 0; i < 2; ++i) {
    const std::size_t expanded = 1 + codec::LoadLe16(data + 2 * i) % codec::kMaxBlockOutput;
    std::vector<std::uint8_t> ours(expanded, 0xA5);
    std::vector<std::uint8_t> theirs(expanded, 0x5A);
    const codec::Error error = decoder.Decode(WithSignature(blocks[i]), ours);
    const bool zlib_ok = codec_test::ZlibInflateBlock(blocks[i], history, theirs);
    Check((error == codec::Error::kOk) == zlib_ok);
    if (!zlib_ok) {
      Check(error == codec::Error::kCorruptData);
      // The error stays.
      Check(decoder.Decode(WithSignature(blocks[1]), ours) == codec::Error::kCorruptData);
      return 0;
    }
    Check(ours == theirs);
    history = ours;
  }
  return 0;
}
