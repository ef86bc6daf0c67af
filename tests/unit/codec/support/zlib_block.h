// The MSZIP block rule through zlib, for the tests and the fuzzer to hold our inflater to: a raw
// DEFLATE stream with the history as its dictionary must give exactly output.size() bytes, and
// either end there or run out of input without giving more.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <span>

namespace codec_test {

inline bool ZlibInflateBlock(std::span<const std::uint8_t> input,
                             std::span<const std::uint8_t> history,
                             std::span<std::uint8_t> output) {
  z_stream stream{};
  if (inflateInit2(&stream, -15) != Z_OK) return false;
  bool ok = history.empty() || inflateSetDictionary(&stream, history.data(),
                                                    static_cast<uInt>(history.size())) == Z_OK;
  stream.next_in = const_cast<Bytef*>(input.data());  // zlib's API is not const-correct
  stream.avail_in = static_cast<uInt>(input.size());
  stream.next_out = output.data();
  stream.avail_out = static_cast<uInt>(output.size());
  const int status = ok ? inflate(&stream, Z_FINISH) : Z_DATA_ERROR;
  ok = ok && stream.avail_out == 0;
  if (ok && status != Z_STREAM_END) {
    // One byte more must not come out.
    std::uint8_t probe = 0;
    stream.next_out = &probe;
    stream.avail_out = 1;
    const int more = inflate(&stream, Z_FINISH);
    ok = stream.avail_out == 1 && (more == Z_STREAM_END || more == Z_BUF_ERROR);
  }
  inflateEnd(&stream);
  return ok;
}

}  // namespace codec_test
