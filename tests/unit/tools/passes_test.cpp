// The codec passes over in-memory readers and writers: what the tools rely on beyond the codec's
// own tests (verification catches any difference, failures keep the file system's reason, the
// header is found even past the first chunk).
#include "common/passes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "common/failure.h"

namespace tools {
namespace {

class MemoryReader final : public Reader {
 public:
  explicit MemoryReader(std::vector<std::uint8_t> bytes, std::size_t most = 7000)
      : bytes_(std::move(bytes)), most_(most) {}
  std::size_t Read(std::span<std::uint8_t> out) override {
    const std::size_t size = std::min({out.size(), bytes_.size() - offset_, most_});
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset_), size, out.begin());
    offset_ += size;
    return size;
  }

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t most_;  // short reads, as pipes and networks give them
  std::size_t offset_ = 0;
};

class MemoryWriter final : public Writer {
 public:
  explicit MemoryWriter(std::size_t capacity = SIZE_MAX) : capacity_(capacity) {}
  void Write(std::span<const std::uint8_t> chunk) override {
    if (chunk.size() > capacity_ - bytes.size()) throw IoError("disque plein (essai)");
    bytes.insert(bytes.end(), chunk.begin(), chunk.end());
  }
  std::vector<std::uint8_t> bytes;

 private:
  std::size_t capacity_;
};

std::vector<std::uint8_t> Sample(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  std::mt19937 random(7);
  for (std::size_t i = 0; i < size; ++i) {
    bytes[i] = i % 3000 < 1500 ? static_cast<std::uint8_t>("tassefiche "[i % 11])
                               : static_cast<std::uint8_t>(random());
  }
  return bytes;
}

std::vector<std::uint8_t> Compressed(const std::vector<std::uint8_t>& original) {
  MemoryReader source(original);
  MemoryWriter out;
  EXPECT_EQ(CompressPass(source, {Container::kSzdd, original.size(), 'T', {}, 21, {}}, out).error,
            codec::Error::kOk);
  return out.bytes;
}

TEST(Passes, CompressedBytesVerifyAndExpandBack) {
  for (const std::size_t size : {0u, 1u, 4096u, 200000u}) {
    const std::vector<std::uint8_t> original = Sample(size);
    const std::vector<std::uint8_t> compressed = Compressed(original);

    MemoryReader check(compressed);
    MemoryReader again(original);
    const PassResult verified = VerifyCompressed(check, again);
    EXPECT_EQ(verified.error, codec::Error::kOk);
    EXPECT_FALSE(verified.mismatch);

    MemoryReader source(compressed);
    MemoryWriter out;
    const PassResult expanded = ExpandPass(source, out);
    EXPECT_EQ(expanded.error, codec::Error::kOk);
    EXPECT_EQ(expanded.written, original.size());
    EXPECT_EQ(out.bytes, original);
  }
}

TEST(Passes, VerificationCatchesAnyDifferenceFromTheOriginal) {
  const std::vector<std::uint8_t> original = Sample(20000);
  const std::vector<std::uint8_t> compressed = Compressed(original);
  std::vector<std::uint8_t> changed = original;
  changed.at(12345) ^= 1;
  std::vector<std::uint8_t> longer = original;
  longer.push_back(0);
  const std::vector<std::uint8_t> shorter(original.begin(), original.end() - 1);
  for (const auto& other : {changed, longer, shorter}) {
    MemoryReader check(compressed);
    MemoryReader against(other);
    EXPECT_TRUE(VerifyCompressed(check, against).mismatch);
  }
}

TEST(Passes, AFullDiskIsAnOutputFailureWithItsReason) {
  const std::vector<std::uint8_t> original = Sample(100000);
  MemoryReader source(original);
  MemoryWriter small(1000);
  const PassResult compressed =
      CompressPass(source, {Container::kSzdd, original.size(), 0, {}, 21, {}}, small);
  EXPECT_EQ(compressed.error, codec::Error::kOutputFailed);
  EXPECT_EQ(compressed.detail, "disque plein (essai)");

  MemoryReader plain(original);
  MemoryWriter small_copy(1000);
  EXPECT_EQ(CopyPass(plain, small_copy).error, codec::Error::kOutputFailed);
}

TEST(Passes, CompressionNoticesASourceOfAnotherLength) {
  const std::vector<std::uint8_t> original = Sample(5000);
  MemoryReader source(original);
  MemoryWriter out;
  EXPECT_EQ(CompressPass(source, {Container::kSzdd, original.size() + 1, 0, {}, 21, {}}, out).error,
            codec::Error::kLengthMismatch);
}

// A KWAJ file whose header carries a 60,000-byte field before the stored name and extension,
// then the data stored as is (method 0).
std::vector<std::uint8_t> KwajWithLongHeader(const std::vector<std::uint8_t>& data) {
  std::vector<std::uint8_t> file = {0x4B, 0x57, 0x41, 0x4A, 0x88, 0xF0, 0x27, 0xD1, 0, 0};
  const std::size_t extra = 60000;
  const std::size_t offset = 14 + 4 + 2 + extra + 8 + 4;
  file.push_back(static_cast<std::uint8_t>(offset & 0xFF));
  file.push_back(static_cast<std::uint8_t>(offset >> 8));
  file.push_back(0x1D);  // length, long field, name, extension
  file.push_back(0);
  for (int shift = 0; shift < 32; shift += 8)
    file.push_back(static_cast<std::uint8_t>(data.size() >> shift));
  file.push_back(static_cast<std::uint8_t>(extra & 0xFF));
  file.push_back(static_cast<std::uint8_t>(extra >> 8));
  file.insert(file.end(), extra, 0x55);
  for (const char c : std::string("RAPPORT"))
    file.push_back(static_cast<std::uint8_t>(c));
  file.push_back(0);
  for (const char c : std::string("TXT"))
    file.push_back(static_cast<std::uint8_t>(c));
  file.push_back(0);
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

TEST(ProbeHeader, ReadsAHeaderThatRunsPastTheFirstChunk) {
  const std::vector<std::uint8_t> data = Sample(100);
  MemoryReader source(KwajWithLongHeader(data), 5000);
  const Probe probe = ProbeHeader(source);
  ASSERT_EQ(probe.error, codec::Error::kOk);
  ASSERT_EQ(probe.format, codec::Format::kKwaj);
  EXPECT_EQ(probe.header.kwaj_name, "RAPPORT");
  EXPECT_EQ(probe.header.kwaj_extension, "TXT");
  EXPECT_EQ(probe.header.length, 100u);
}

TEST(ProbeHeader, PlainAndShortFilesCarryNoFormat) {
  for (const std::vector<std::uint8_t>& bytes :
       {std::vector<std::uint8_t>{}, std::vector<std::uint8_t>{'S', 'Z'}, Sample(3000)}) {
    MemoryReader source(bytes);
    const Probe probe = ProbeHeader(source);
    EXPECT_FALSE(probe.format.has_value());
    EXPECT_EQ(probe.error, codec::Error::kOk);
  }
}

TEST(ProbeHeader, AHeaderCutShortIsAnError) {
  const std::vector<std::uint8_t> cut = {0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33, 0x41};
  MemoryReader source(cut);
  const Probe probe = ProbeHeader(source);
  EXPECT_EQ(probe.format, codec::Format::kSzdd);
  EXPECT_NE(probe.error, codec::Error::kOk);
}

}  // namespace
}  // namespace tools
