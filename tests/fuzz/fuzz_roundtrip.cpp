// Compressing then expanding gives the input back, and never costs more than all literals.
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using codec_fuzz::Check;
  const codec_fuzz::Input input = codec_fuzz::Split(data, size);
  const std::vector<std::uint8_t>& original = input.bytes;
  codec::VectorSink sink;
  codec::SzddCompressor compressor(sink, original.size(), 'X');
  for (std::size_t at = 0; at < original.size(); at += input.chunk) {
    const std::size_t n = std::min(input.chunk, original.size() - at);
    Check(compressor.Feed(std::span(original).subspan(at, n)) == codec::Error::kOk);
  }
  Check(compressor.Finish() == codec::Error::kOk);
  Check(sink.bytes.size() <= 14 + (9 * original.size() + 7) / 8);

  std::vector<std::uint8_t> back;
  codec::Header header;
  Check(codec::Expand(sink.bytes, back, &header) == codec::Error::kOk);
  Check(back == original);
  Check(header.lost_char == 'X');
  return 0;
}
