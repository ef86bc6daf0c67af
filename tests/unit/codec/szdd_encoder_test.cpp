// The SZDD encoder: round trips, exact minimality against an independent brute-force parse, and
// its contract on lengths and sinks.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "codec/codec.h"
#include "reference_szdd.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

using codec::Error;

struct Shape {
  std::string name;
  Bytes data;
};

std::vector<Shape> Shapes() {
  std::vector<Shape> shapes;
  for (const std::size_t size : std::initializer_list<std::size_t>{
           0, 1, 2, 3, 17, 18, 19, 4095, 4096, 4097, 4113, 9000, 65535, 65536, 70000}) {
    const std::string n = std::to_string(size);
    shapes.push_back({"random" + n, RandomBytes(size, static_cast<std::uint32_t>(size))});
    shapes.push_back({"text" + n, Text(size, 7)});
    shapes.push_back({"binary" + n, BinaryLike(size, 3)});
    shapes.push_back({"zeros" + n, Bytes(size, 0)});
    shapes.push_back({"spaces" + n, Bytes(size, 0x20)});
  }
  Bytes spaces_first(300, 0x20);
  const Bytes tail = Text(5000, 11);
  spaces_first.insert(spaces_first.end(), tail.begin(), tail.end());
  shapes.push_back({"spaces-then-text", spaces_first});
  shapes.push_back({"period3", Repeat("abc", 20000)});
  for (const std::size_t period : std::initializer_list<std::size_t>{4096, 4097}) {
    const Bytes unit = RandomBytes(period, 5);
    shapes.push_back(
        {"period" + std::to_string(period), Repeat(std::string(unit.begin(), unit.end()), 12000)});
  }
  shapes.push_back({"block-pairs", BlockPairs(3000)});
  return shapes;
}

Bytes Compress(const Bytes& input, char lost_char = 0) {
  Bytes out;
  EXPECT_EQ(codec::CompressSzdd(input, lost_char, out), Error::kOk);
  return out;
}

Bytes CompressInChunks(const Bytes& input, std::size_t chunk) {
  codec::VectorSink sink;
  codec::SzddCompressor compressor(sink, input.size(), 0);
  for (std::size_t at = 0; at < input.size(); at += chunk) {
    const std::size_t n = std::min(chunk, input.size() - at);
    EXPECT_EQ(compressor.Feed(std::span(input).subspan(at, n)), Error::kOk);
  }
  EXPECT_EQ(compressor.Finish(), Error::kOk);
  return sink.bytes;
}

TEST(SzddRoundTrip, EveryShapeAndSizeComesBackIntact) {
  for (const Shape& shape : Shapes()) {
    SCOPED_TRACE(shape.name);
    const Bytes file = Compress(shape.data);
    Bytes back;
    ASSERT_EQ(codec::Expand(file, back), Error::kOk);
    EXPECT_TRUE(back == shape.data);
    // A plain ring decoder agrees, so every match points at what the window really holds.
    const NaiveDecode naive = DecodeSzddNaively(file);
    EXPECT_TRUE(naive.ok);
    EXPECT_TRUE(naive.output == shape.data);
    // No wasted byte: the stream is exactly the items' bits rounded up to whole bytes.
    EXPECT_EQ(file.size(), 14 + (naive.bits() + 7) / 8);
  }
}

TEST(SzddRoundTrip, ChunkSizesDoNotChangeTheOutput) {
  const Bytes input = BinaryLike(70000, 9);
  const Bytes whole = Compress(input);
  for (const std::size_t chunk : std::initializer_list<std::size_t>{1, 2, 7, 18, 4093, 65537}) {
    SCOPED_TRACE(chunk);
    EXPECT_TRUE(CompressInChunks(input, chunk) == whole);
  }
}

TEST(SzddOptimality, MatchesTheExactMinimumOnSmallAndAdversarialInputs) {
  std::vector<Shape> inputs;
  for (const unsigned alphabet : {2u, 3u, 4u, 16u}) {
    for (const std::size_t size : std::initializer_list<std::size_t>{40, 300, 2500}) {
      inputs.push_back(
          {"alphabet" + std::to_string(alphabet) + "-" + std::to_string(size),
           RandomBytes(size, alphabet * 1000 + static_cast<std::uint32_t>(size), alphabet)});
    }
  }
  for (std::size_t run = 1; run <= 40; ++run) {
    Bytes data(run, 'a');
    data.push_back('b');
    data.insert(data.end(), run + 5, 'a');
    inputs.push_back({"run" + std::to_string(run), data});
  }
  // Matches into the window's initial spaces, and a space run cut at odd places.
  inputs.push_back({"spaces-in-window", Repeat("  x   xx ", 400)});
  inputs.push_back({"leading-spaces", Bytes(4200, 0x20)});
  // The only match lies exactly 4,096 bytes back: its source is the ring cell being written.
  Bytes far = RandomBytes(4096, 77);
  far.insert(far.end(), far.begin(), far.begin() + 40);
  inputs.push_back({"distance-4096", far});
  Bytes beyond = RandomBytes(4097, 78);
  beyond.insert(beyond.end(), beyond.begin(), beyond.begin() + 40);
  inputs.push_back({"distance-4097", beyond});
  for (const std::string unit :
       {"ab", "abc", "aab", "abcdefghijklmnopq", "abcdefghijklmnopqr", "abcdefghijklmnopqrs"}) {
    inputs.push_back({"period-" + unit, Repeat(unit, 1500)});
  }
  inputs.push_back({"text", Text(4000, 5)});
  inputs.push_back({"binary", BinaryLike(4000, 6)});
  inputs.push_back({"block-pairs", BlockPairs(1100)});

  for (const Shape& input : inputs) {
    SCOPED_TRACE(input.name);
    const Bytes file = Compress(input.data);
    const NaiveDecode naive = DecodeSzddNaively(file);
    ASSERT_TRUE(naive.ok);
    ASSERT_TRUE(naive.output == input.data);
    const std::uint64_t minimum = MinimumSzddBits(input.data);
    EXPECT_EQ(naive.bits(), minimum);
    EXPECT_EQ(file.size(), 14 + (minimum + 7) / 8);
  }
}

TEST(SzddCompressor, WritesTheHeaderWithLengthAndLostCharacter) {
  const Bytes file = Compress(Text(1000, 1), 'T');
  ASSERT_GE(file.size(), 14u);
  const Bytes head(file.begin(), file.begin() + 14);
  EXPECT_TRUE(head ==
              (Bytes{0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33, 'A', 'T', 0xE8, 0x03, 0, 0}));
  codec::Header header;
  Bytes back;
  ASSERT_EQ(codec::Expand(file, back, &header), Error::kOk);
  EXPECT_EQ(header.lost_char, 'T');
  EXPECT_EQ(header.length, 1000u);
  EXPECT_EQ(Compress({}).size(), 14u);
}

TEST(SzddCompressor, RefusesInputOfAnotherLengthThanAnnounced) {
  const Bytes data = Text(100, 2);
  {
    codec::VectorSink sink;
    codec::SzddCompressor compressor(sink, 101, 0);
    EXPECT_EQ(compressor.Feed(data), Error::kOk);
    EXPECT_EQ(compressor.Finish(), Error::kLengthMismatch);
  }
  {
    codec::VectorSink sink;
    codec::SzddCompressor compressor(sink, 99, 0);
    EXPECT_EQ(compressor.Feed(data), Error::kLengthMismatch);
    EXPECT_EQ(compressor.Feed(Bytes{1}), Error::kLengthMismatch);  // errors stay
    EXPECT_EQ(compressor.Finish(), Error::kLengthMismatch);
  }
}

TEST(SzddCompressor, RefusesInputsTheHeaderCannotDescribe) {
  codec::VectorSink sink;
  codec::SzddCompressor compressor(sink, codec::kSzddMaxLength + 1, 0);
  EXPECT_EQ(compressor.Feed(Bytes{1, 2, 3}), Error::kTooLarge);
  EXPECT_EQ(compressor.Finish(), Error::kTooLarge);
  EXPECT_TRUE(sink.bytes.empty());
  codec::SzddCompressor largest(sink, codec::kSzddMaxLength, 0);
  EXPECT_EQ(largest.Feed(Bytes{1, 2, 3}), Error::kOk);
}

class RefusingSink final : public codec::ByteSink {
 public:
  bool Write(std::span<const std::uint8_t>) override { return false; }
};

TEST(SzddCompressor, ReportsASinkThatRefusesBytes) {
  RefusingSink sink;
  const Bytes data = RandomBytes(200000, 4);
  codec::SzddCompressor compressor(sink, data.size(), 0);
  const Error fed = compressor.Feed(data);
  EXPECT_TRUE(fed == Error::kOk || fed == Error::kOutputFailed);
  EXPECT_EQ(compressor.Finish(), Error::kOutputFailed);
}

}  // namespace
}  // namespace codec_test
