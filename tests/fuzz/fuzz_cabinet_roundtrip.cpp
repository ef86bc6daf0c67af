// A one-file cabinet written by CabinetWriter expands back to its data, whatever the method: the
// first input byte picks MSZIP or LZX and its window (bits 3-5: 0 for MSZIP, else LZX of window
// 2^(14 + n)), one or two threads (top bit) and the chunks the data is fed in (fuzz_input.h).
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using codec_fuzz::Check;
  if (size == 0) return 0;
  const codec_fuzz::Input input = codec_fuzz::Split(data, size);
  const std::vector<std::uint8_t>& original = input.bytes;
  const unsigned method = (data[0] >> 3) % 8;
  codec::CabinetCompression compression;
  compression.method = method == 0 ? codec::CabinetMethod::kMsZip : codec::CabinetMethod::kLzx;
  compression.window_bits = 14 + method;
  compression.threads = data[0] >= 128 ? 2 : 1;

  codec::VectorSink sink;
  codec::CabinetWriter writer(sink, {"fichier.bin", original.size(), 0, 0, 0}, compression);
  for (std::size_t at = 0; at < original.size(); at += input.chunk) {
    const std::size_t n = std::min(input.chunk, original.size() - at);
    Check(writer.Feed(std::span(original).subspan(at, n)) == codec::Error::kOk);
  }
  Check(writer.Finish() == codec::Error::kOk);
  const std::vector<std::uint8_t>& header = writer.Header();
  Check(header.size() <= sink.bytes.size());
  std::copy(header.begin(), header.end(), sink.bytes.begin());

  std::vector<std::uint8_t> expanded;
  codec::Header read;
  Check(codec::Expand(sink.bytes, expanded, &read) == codec::Error::kOk);
  Check(expanded == original);
  Check(read.format == codec::Format::kCabinet && read.cabinet_name == "fichier.bin");
  return 0;
}
