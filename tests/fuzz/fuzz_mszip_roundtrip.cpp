// MSZIP encoding then inflating through zlib gives the input back, in blocks of 32 KiB each never
// larger than stored; the top bit of the first byte picks one or two threads.
#include "../unit/codec/support/mszip_blocks.h"
#include "fuzz_input.h"
#include "mszip/mszip_encoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using codec_fuzz::Check;
  const codec_fuzz::Input input = codec_fuzz::Split(data, size);
  const std::vector<std::uint8_t>& original = input.bytes;
  const unsigned threads = size > 0 && data[0] >= 128 ? 2 : 1;
  codec_test::CodedBlocks sink;
  codec::MsZipEncoder encoder(sink, threads);
  for (std::size_t at = 0; at < original.size(); at += input.chunk) {
    const std::size_t n = std::min(input.chunk, original.size() - at);
    Check(encoder.Feed(std::span(original).subspan(at, n)) == codec::Error::kOk);
  }
  Check(encoder.Finish() == codec::Error::kOk);

  constexpr std::size_t kStoredOverhead = 2 + 1 + 4;  // "CK", a header byte, LEN and NLEN
  Check(sink.blocks.size() ==
        (original.size() + codec::kMaxBlockOutput - 1) / codec::kMaxBlockOutput);
  for (const codec_test::CodedBlock& block : sink.blocks)
    Check(block.coded.size() <= block.expanded_size + kStoredOverhead);
  const auto inflated = codec_test::InflateBlocks(sink.blocks);
  Check(inflated.has_value() && *inflated == original);
  return 0;
}
