#include <gtest/gtest.h>

#include "codec/codec.h"
#include "support/memory_cabinets.h"
#include "support/oracles.h"
#include "test_inputs.h"

namespace codec_test {
namespace {

using codec::Error;

// Every cabinet written reads back through the streaming expander, the set reader and both
// oracles, whatever its size around a data block's, and is the same on any number of threads.
TEST(CabinetWriterTest, WrittenCabinetsReadBackEverywhere) {
  const std::vector<std::pair<const char*, Bytes>> inputs = {
      {"empty", {}},
      {"one byte", {42}},
      {"one block", Text(32768, 1)},
      {"one block and a byte", BinaryLike(32769, 2)},
      {"text", Text(200000, 3)},
      {"random", RandomBytes(100000, 4)},
  };
  for (const auto& [what, data] : inputs) {
    SCOPED_TRACE(what);
    const Bytes cabinet = WriteCabinet(data, {codec::CabinetMethod::kMsZip, 21, 1});
    EXPECT_EQ(WriteCabinet(data, {codec::CabinetMethod::kMsZip, 21, 3}), cabinet);

    Bytes streamed;
    codec::Header header;
    EXPECT_EQ(codec::Expand(cabinet, streamed, &header), Error::kOk);
    EXPECT_EQ(streamed, data);
    EXPECT_EQ(header.format, codec::Format::kCabinet);
    EXPECT_EQ(header.cabinet_name, "donnees.bin");

    MemoryOpener opener;
    opener.cabinets["a.cab"] = cabinet;
    const OpenedSet opened = ExtractAll(opener, "a.cab");
    ASSERT_EQ(opened.error, Error::kOk);
    EXPECT_EQ(opened.outcomes.at("donnees.bin").bytes, data);
    const codec::CabinetEntry& entry = opened.set->entries().at(0);
    EXPECT_EQ(entry.dos_date, 0x5B89);
    EXPECT_EQ(entry.attributes, 0x21);

    for (const Oracle oracle : {Oracle::kCabextract, Oracle::kSevenZip}) {
      const auto files = ExtractWith(oracle, cabinet);
      ASSERT_TRUE(files) << OracleName(oracle);
      EXPECT_EQ(files->at("donnees.bin"), data) << OracleName(oracle);
    }
  }
}

TEST(CabinetWriterTest, NamesOutsideAsciiAreFlaggedAndLimitsAreKept) {
  const Bytes cabinet =
      WriteCabinet(Text(100, 1), {codec::CabinetMethod::kMsZip, 21, 1}, "\xC3\xA9t\xC3\xA9.txt");
  EXPECT_EQ(cabinet[44 + 14] & 0x80, 0x80);  // the file record's attributes
  const auto files = ExtractWith(Oracle::kCabextract, cabinet);
  ASSERT_TRUE(files);
  EXPECT_TRUE(files->contains("\xC3\xA9t\xC3\xA9.txt"));

  codec::VectorSink sink;
  codec::CabinetWriter too_large(sink, {"x", codec::kCabinetMaxFileSize + 1, 0, 0, 0}, {});
  EXPECT_EQ(too_large.Feed(Bytes{1}), Error::kTooLarge);
  EXPECT_TRUE(sink.bytes.empty());
  codec::CabinetWriter short_fed(sink, {"x", 10, 0, 0, 0}, {});
  EXPECT_EQ(short_fed.Feed(Bytes(5)), Error::kOk);
  EXPECT_EQ(short_fed.Finish(), Error::kLengthMismatch);
  codec::CabinetWriter over_fed(sink, {"x", 10, 0, 0, 0}, {});
  EXPECT_EQ(over_fed.Feed(Bytes(11)), Error::kLengthMismatch);
}

// The streaming expander takes only the layout it can read front to back.
TEST(CabinetWriterTest, TheStreamingExpanderRefusesOtherCabinets) {
  Bytes out;
  Bytes set = ReadFile(std::filesystem::path(CABINET_FIXTURE_DIR) / "disk-set/disk1.cab");
  EXPECT_EQ(codec::Expand(set, out), Error::kBadHeader);
  Bytes cut = WriteCabinet(Text(70000, 5), {codec::CabinetMethod::kMsZip, 21, 1});
  cut.resize(cut.size() - 10);
  EXPECT_EQ(codec::Expand(cut, out), Error::kTruncated);
  Bytes bad = WriteCabinet(Text(70000, 5), {codec::CabinetMethod::kMsZip, 21, 1});
  bad.back() ^= 1;
  EXPECT_EQ(codec::Expand(bad, out), Error::kCorruptData);
}

}  // namespace
}  // namespace codec_test
