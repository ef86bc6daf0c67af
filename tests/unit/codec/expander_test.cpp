// The expander on the fixtures made by other encoders, on every way a file can be cut short, and
// on damaged headers and streams.
#include <gtest/gtest.h>

#include <algorithm>

#include "codec/codec.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

using codec::Error;

struct Fixture {
  std::string name;
  Bytes file;
  Bytes expected;  // empty: the file must be refused
};

std::vector<Fixture> Fixtures() {
  std::vector<Fixture> fixtures;
  for (const auto& entry : std::filesystem::directory_iterator(FixtureDir())) {
    const auto& path = entry.path();
    if (path.extension() == ".out" || path.extension() == ".md") continue;
    fixtures.push_back(
        {path.filename().string(), ReadFile(path), ReadFile(path.string() + ".out")});
  }
  std::ranges::sort(fixtures, {}, &Fixture::name);
  return fixtures;
}

Error ExpandInChunks(const Bytes& file, std::size_t chunk, Bytes& out) {
  codec::VectorSink sink;
  codec::Expander expander(sink);
  Error error = Error::kOk;
  for (std::size_t at = 0; at < file.size() && error == Error::kOk; at += chunk) {
    error = expander.Feed(std::span(file).subspan(at, std::min(chunk, file.size() - at)));
  }
  if (error == Error::kOk) error = expander.Finish();
  out = sink.bytes;
  return error;
}

TEST(Fixtures, EachExpandsToItsExpectedBytesOrIsRefused) {
  const auto fixtures = Fixtures();
  ASSERT_GE(fixtures.size(), 19u);
  for (const Fixture& fixture : fixtures) {
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{3}, std::size_t{1} << 20}) {
      SCOPED_TRACE(fixture.name + " in chunks of " + std::to_string(chunk));
      Bytes out;
      const Error error = ExpandInChunks(fixture.file, chunk, out);
      if (fixture.expected.empty()) {
        EXPECT_NE(error, Error::kOk);
      } else {
        EXPECT_EQ(error, Error::kOk);
        EXPECT_TRUE(out == fixture.expected);
      }
    }
  }
}

TEST(Fixtures, TheBadOnesAreRefusedForTheirOwnReason) {
  const std::vector<std::pair<std::string, Error>> expected{
      {"bad-header-only.tx_", Error::kTruncated},  // the file ends inside its header
      {"bad-length.tx_", Error::kTruncated},       // it announces more than the stream gives
      {"bad-mode.tx_", Error::kUnknownMethod},
      {"bad-truncated.tx_", Error::kTruncated},
  };
  for (const auto& [name, error] : expected) {
    SCOPED_TRACE(name);
    Bytes out;
    EXPECT_EQ(codec::Expand(ReadFile(FixtureDir() / name), out), error);
  }
}

TEST(Fixtures, EveryCutShortCopyOfAGoodFileIsRefused) {
  for (const Fixture& fixture : Fixtures()) {
    if (fixture.expected.empty()) continue;
    SCOPED_TRACE(fixture.name);
    // Every cut for small files; for large ones a spread of cuts and all of the last bytes.
    const std::size_t size = fixture.file.size();
    const std::size_t stride = size > 4000 ? 61 : 1;
    for (std::size_t cut = 0; cut < size; cut += (cut + 64 >= size ? 1 : stride)) {
      Bytes out;
      EXPECT_NE(codec::Expand(std::span(fixture.file).first(cut), out), Error::kOk)
          << "cut " << cut;
    }
  }
}

TEST(Expander, ReportsTheHeader) {
  codec::Header header;
  Bytes out;
  ASSERT_EQ(codec::Expand(ReadFile(FixtureDir() / "szdd-handmade-window.tx_"), out, &header),
            Error::kOk);
  EXPECT_EQ(header.format, codec::Format::kSzdd);
  EXPECT_EQ(header.lost_char, 't');
  EXPECT_EQ(header.length, 32u);

  ASSERT_EQ(codec::Expand(ReadFile(FixtureDir() / "qbasic-variant.tx_"), out, &header), Error::kOk);
  EXPECT_EQ(header.format, codec::Format::kSzddQBasic);
  EXPECT_EQ(header.length, 32u);

  ASSERT_EQ(codec::Expand(ReadFile(FixtureDir() / "kwaj-method4.tx$"), out, &header), Error::kOk);
  EXPECT_EQ(header.format, codec::Format::kKwaj);
  EXPECT_EQ(header.kwaj_method, 4);
  EXPECT_EQ(header.kwaj_name, "GPL");
  EXPECT_EQ(header.kwaj_extension, "TXT");
  EXPECT_EQ(header.length, 105447u);
}

TEST(Expander, TellsUncompressedFilesFromCutHeaders) {
  Bytes out;
  EXPECT_EQ(codec::Expand({}, out), Error::kNotCompressed);
  EXPECT_EQ(codec::Expand(Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd'}, out),
            Error::kNotCompressed);
  EXPECT_EQ(codec::Expand(Bytes{0x4B, 0x57, 0x41, 0x4A, 0x88, 0xF0, 0x27, 0xD1, 0}, out),
            Error::kTruncated);

  // A wrong first byte is known at once, before the rest arrives.
  codec::VectorSink sink;
  codec::Expander expander(sink);
  EXPECT_EQ(expander.Feed(Bytes{'X'}), Error::kNotCompressed);
  EXPECT_EQ(expander.Finish(), Error::kNotCompressed);
  EXPECT_EQ(expander.header(), nullptr);

  EXPECT_EQ(codec::DetectFormat(Bytes{0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27}), std::nullopt);
  EXPECT_EQ(codec::DetectFormat(Bytes{0x53, 0x5A, 0x20, 0x88, 0xF0, 0x27, 0x33, 0xD1, 9}),
            codec::Format::kSzddQBasic);
}

Bytes SzddFile(std::uint32_t length, const Bytes& stream) {
  Bytes file{0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33, 'A', 0};
  for (int shift = 0; shift < 32; shift += 8)
    file.push_back(static_cast<std::uint8_t>(length >> shift));
  file.insert(file.end(), stream.begin(), stream.end());
  return file;
}

TEST(Expander, ChecksTheSzddStreamAgainstItsHeader) {
  Bytes out;
  const Bytes abc{0x07, 'a', 'b', 'c'};
  EXPECT_EQ(codec::Expand(SzddFile(3, abc), out), Error::kOk);
  EXPECT_EQ(codec::Expand(SzddFile(4, abc), out), Error::kTruncated);
  EXPECT_EQ(codec::Expand(SzddFile(2, abc), out), Error::kLengthMismatch);
  // A match whose second byte is missing.
  EXPECT_EQ(codec::Expand(SzddFile(6, Bytes{0x07, 'a', 'b', 'c', 0xF0}), out), Error::kTruncated);
  // A match from the initial spaces, and one from the ring cell being written (4,096 back).
  EXPECT_EQ(codec::Expand(SzddFile(18, Bytes{0x00, 0x00, 0x0F}), out), Error::kOk);
  EXPECT_TRUE(out == Bytes(18, 0x20));
  EXPECT_EQ(codec::Expand(SzddFile(5, Bytes{0x03, 'x', 'y', 0xF0, 0xF0}), out), Error::kOk);
  EXPECT_TRUE(out == (Bytes{'x', 'y', 'x', 'y', 'x'}));
  EXPECT_EQ(codec::Expand(SzddFile(5, Bytes{0x03, 'x', 'y', 0xF2, 0xF0}), out), Error::kOk);
  EXPECT_TRUE(out == (Bytes{'x', 'y', 0x20, 0x20, 0x20}));
  // A mode other than 'A'.
  Bytes mode_b = SzddFile(3, abc);
  mode_b[8] = 'B';
  EXPECT_EQ(codec::Expand(mode_b, out), Error::kUnknownMethod);
}

class CountingSink final : public codec::ByteSink {
 public:
  explicit CountingSink(std::size_t room) : room_(room) {}
  bool Write(std::span<const std::uint8_t> bytes) override {
    if (bytes.size() > room_) return false;
    room_ -= bytes.size();
    return true;
  }

 private:
  std::size_t room_;
};

TEST(Expander, ReportsASinkThatRefusesAndKeepsTheError) {
  const Bytes file = ReadFile(FixtureDir() / "szdd-zeros.bi_");
  CountingSink sink(1000);
  codec::Expander expander(sink);
  const Error fed = expander.Feed(file);
  const Error finished = expander.Finish();
  EXPECT_EQ(fed == Error::kOk ? finished : fed, Error::kOutputFailed);
  EXPECT_EQ(expander.Finish(), Error::kOutputFailed);
  EXPECT_EQ(expander.Feed(Bytes{0}), Error::kOutputFailed);
}

// A file that stops inside a signature is a compressed file cut short from its fourth byte on;
// shorter, or not following a signature to its own end, it is plain data.
TEST(Expander, CutSignaturesAreTruncatedFromTheFourthByte) {
  const Bytes szdd{0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33};
  const Bytes qbasic{0x53, 0x5A, 0x20, 0x88, 0xF0, 0x27, 0x33, 0xD1};
  const Bytes kwaj{0x4B, 0x57, 0x41, 0x4A, 0x88, 0xF0, 0x27, 0xD1};
  for (const Bytes* signature : {&szdd, &qbasic, &kwaj}) {
    for (std::size_t size = 1; size < signature->size(); ++size) {
      SCOPED_TRACE(size);
      const Bytes cut(signature->begin(), signature->begin() + static_cast<std::ptrdiff_t>(size));
      const bool truncated = size >= codec::kCutSignatureLength;
      EXPECT_EQ(codec::IsCutSignature(cut), truncated);
      Bytes out;
      EXPECT_EQ(codec::Expand(cut, out), truncated ? Error::kTruncated : Error::kNotCompressed);
    }
  }
  for (const Bytes& plain : {Bytes{'S', 'Z', 'D', 'D', '!'}, Bytes{'K', 'W', 'A', 'J', ' ', '!'},
                             Bytes{'S', 'Z', 'D', 'D', 0x88, 0xF0, 0x27, 0x33, 'A'}}) {
    EXPECT_FALSE(codec::IsCutSignature(plain));
  }
  EXPECT_FALSE(codec::IsCutSignature(szdd));  // whole: a header cut later, told by the expander
}

}  // namespace
}  // namespace codec_test
