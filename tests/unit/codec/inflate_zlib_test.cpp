// Our inflater on what zlib writes: every level and strategy, with and without the previous block
// as a preset dictionary, block by block through the MSZIP decoder.
#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <vector>

#include "mszip/mszip_block_decoder.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

constexpr std::size_t kBlock = 32768;

// An MSZIP block: "CK" and the raw stream zlib makes of `data` after `dictionary`.
Bytes ZlibBlock(const Bytes& data, const Bytes& dictionary, int level, int strategy) {
  z_stream stream{};
  EXPECT_EQ(deflateInit2(&stream, level, Z_DEFLATED, -15, 8, strategy), Z_OK);
  if (!dictionary.empty()) {
    deflateSetDictionary(&stream, dictionary.data(), static_cast<uInt>(dictionary.size()));
  }
  Bytes block(2 + deflateBound(&stream, static_cast<uLong>(data.size())));
  block[0] = 'C';
  block[1] = 'K';
  stream.next_in = const_cast<Bytef*>(data.data());  // zlib's API is not const-correct
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = block.data() + 2;
  stream.avail_out = static_cast<uInt>(block.size() - 2);
  EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
  block.resize(block.size() - stream.avail_out);
  deflateEnd(&stream);
  return block;
}

// Cuts `data` into blocks of the given sizes (the last taking the rest), codes each with the last
// 32 KiB before it as the dictionary, and expands them all with one decoder.
void ExpectRoundTrip(const Bytes& data, const std::vector<std::size_t>& sizes, int level,
                     int strategy) {
  codec::MsZipBlockDecoder decoder;
  std::size_t at = 0;
  for (const std::size_t size : sizes) {
    const Bytes part(data.begin() + static_cast<std::ptrdiff_t>(at),
                     data.begin() + static_cast<std::ptrdiff_t>(at + size));
    const Bytes dictionary(data.begin() + static_cast<std::ptrdiff_t>(at - std::min(at, kBlock)),
                           data.begin() + static_cast<std::ptrdiff_t>(at));
    Bytes out(size);
    ASSERT_EQ(decoder.Decode(ZlibBlock(part, dictionary, level, strategy), out), codec::Error::kOk)
        << "block at " << at;
    ASSERT_EQ(out, part) << "block at " << at;
    at += size;
  }
}

TEST(InflateZlibTest, ExpandsEveryLevelAndStrategy) {
  const struct {
    const char* name;
    Bytes data;
  } inputs[] = {
      {"text", Text(2 * kBlock, 1)},          {"binary", BinaryLike(2 * kBlock, 2)},
      {"random", RandomBytes(2 * kBlock, 3)}, {"four letters", RandomBytes(2 * kBlock, 4, 4)},
      {"period 2", Repeat("ab", 2 * kBlock)},
  };
  const struct {
    const char* name;
    int value;
  } strategies[] = {{"default", Z_DEFAULT_STRATEGY},
                    {"filtered", Z_FILTERED},
                    {"Huffman only", Z_HUFFMAN_ONLY},
                    {"RLE", Z_RLE},
                    {"fixed", Z_FIXED}};
  for (const auto& input : inputs) {
    for (const int level : {0, 1, 6, 9}) {
      for (const auto& strategy : strategies) {
        SCOPED_TRACE(testing::Message()
                     << input.name << ", level " << level << ", " << strategy.name);
        ExpectRoundTrip(input.data, {kBlock, kBlock}, level, strategy.value);
      }
    }
  }
}

// Short blocks keep part of the older history, which matches still reach into.
TEST(InflateZlibTest, KeepsTheLast32KiBAcrossBlocksOfAnySize) {
  const Bytes data = Text(6 * kBlock, 5);
  const std::vector<std::size_t> sizes = {kBlock, 1, 100, 5000, kBlock, 7, 20000, kBlock, kBlock};
  ExpectRoundTrip(data, sizes, 9, Z_DEFAULT_STRATEGY);
  ExpectRoundTrip(data, sizes, 6, Z_FIXED);
}

}  // namespace
}  // namespace codec_test
