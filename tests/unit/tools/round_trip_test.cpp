// The native tools end to end: what goes in comes back, under the names the rules promise.
#include <gtest/gtest.h>

#include "support/run_tool.h"
#include "support/scratch_folder.h"
#include "support/tool_paths.h"

namespace tools::testing_support {
namespace {

constexpr std::uint8_t kSzddSignature[] = {0x53, 0x5A, 0x44, 0x44, 0x88, 0xF0, 0x27, 0x33};

bool IsSzdd(const Bytes& bytes) {
  return bytes.size() >= 14 &&
         std::equal(std::begin(kSzddSignature), std::end(kSzddSignature), bytes.begin());
}

class RoundTrip : public testing::Test {
 protected:
  RoundTrip() {
    for (const char* folder : {"src", "packed", "out"})
      std::filesystem::create_directory(dir_.path() / folder);
  }
  ScratchFolder dir_;
};

TEST_F(RoundTrip, EveryShapeComesBackBitForBitUnderItsName) {
  const std::vector<std::pair<std::string, Bytes>> files = {
      {"VIDE.TXT", {}},
      {"UN.BIN", {0x41}},
      {"RAPPORT.TXT", TextSample(10000)},
      {"PLAGES.DAT", RunsSample(60000)},
      {"HASARD.BIN", RandomSample(70000)},
      {"LONG.TXT", TextSample(300000)},
      {"README", TextSample(100)},
      {"A.B", RandomSample(5000, 2)},
      {"Mon rapport été.docx", TextSample(7000)},
  };
  for (const auto& [name, bytes] : files)
    WriteBytes(dir_ / ("src/" + name), bytes);

  const RunResult packed = RunTool(kCompress, {"-R", dir_ / "src/*", dir_ / "packed"});
  ASSERT_EQ(packed.status, 0) << packed.err;
  EXPECT_EQ(
      dir_.Names("packed"),
      (std::vector<std::string>{"A.B_", "HASARD.BI_", "LONG.TX_", "Mon rapport été.doc_",
                                "PLAGES.DA_", "RAPPORT.TX_", "README._", "UN.BI_", "VIDE.TX_"}));
  for (const std::string& name : dir_.Names("packed"))
    EXPECT_TRUE(IsSzdd(ReadBytes(dir_ / ("packed/" + name))));

  const RunResult unpacked = RunTool(kExpand, {"-R", dir_ / "packed/*", dir_ / "out"});
  ASSERT_EQ(unpacked.status, 0) << unpacked.err;
  for (const auto& [name, bytes] : files)
    EXPECT_EQ(ReadBytes(dir_ / ("out/" + name)), bytes) << name;
  EXPECT_EQ(dir_.Names("out").size(), files.size());
}

TEST_F(RoundTrip, TheProgramsOwnLinesUpperCased) {
  const Bytes original = TextSample(10000);
  WriteBytes(dir_ / "src/RAPPORT.TXT", original);

  const RunResult compressed =
      RunTool(kCompress, {"-R", dir_ / "src/RAPPORT.TXT", dir_ / "packed"});
  ASSERT_EQ(compressed.status, 0) << compressed.err;
  const Bytes packed = ReadBytes(dir_ / "packed/RAPPORT.TX_");
  ASSERT_TRUE(IsSzdd(packed));
  EXPECT_EQ(packed[8], 'A');
  EXPECT_EQ(packed[9], 'T');
  EXPECT_EQ(packed[10] | packed[11] << 8 | packed[12] << 16 | packed[13] << 24, 10000);

  const RunResult expanded =
      RunTool(kExpand, {dir_ / "packed/RAPPORT.TX_", dir_ / "out/RAPPORT.TXT"});
  ASSERT_EQ(expanded.status, 0) << expanded.err;
  EXPECT_EQ(ReadBytes(dir_ / "out/RAPPORT.TXT"), original);
}

TEST_F(RoundTrip, WithoutRenamingAFileKeepsItsNameAndStoresNoCharacter) {
  WriteBytes(dir_ / "src/NOTES.TXT", TextSample(500));
  ASSERT_EQ(RunTool(kCompress, {dir_ / "src/NOTES.TXT", dir_ / "packed"}).status, 0);
  const Bytes packed = ReadBytes(dir_ / "packed/NOTES.TXT");
  ASSERT_TRUE(IsSzdd(packed));
  EXPECT_EQ(packed[9], 0);
  // A file destination with -R keeps the character for a later EXPAND -R.
  ASSERT_EQ(RunTool(kCompress, {"/r", dir_ / "src/NOTES.TXT", dir_ / "packed/AUTRE.TX_"}).status,
            0);
  EXPECT_EQ(ReadBytes(dir_ / "packed/AUTRE.TX_")[9], 'T');
  ASSERT_EQ(RunTool(kExpand, {"-r", dir_ / "packed/AUTRE.TX_"}).status, 0);
  EXPECT_EQ(ReadBytes(dir_ / "packed/AUTRE.TXT"), TextSample(500));
}

// A KWAJ file storing its data as is (method 0), with the original name and extension.
Bytes KwajStored(const std::string& name, const std::string& extension, const Bytes& data) {
  Bytes file = {0x4B, 0x57, 0x41, 0x4A, 0x88, 0xF0, 0x27, 0xD1, 0, 0};
  const std::size_t offset = 14 + name.size() + 1 + extension.size() + 1;
  file.push_back(static_cast<std::uint8_t>(offset));
  file.push_back(0);
  file.push_back(0x18);  // name, extension
  file.push_back(0);
  file.insert(file.end(), name.begin(), name.end());
  file.push_back(0);
  file.insert(file.end(), extension.begin(), extension.end());
  file.push_back(0);
  file.insert(file.end(), data.begin(), data.end());
  return file;
}

TEST_F(RoundTrip, KwajFilesTakeTheNameTheirHeaderGives) {
  const Bytes data = TextSample(3000);
  WriteBytes(dir_ / "src/X.TX$", KwajStored("LISEZMOI", "TXT", data));
  const RunResult result = RunTool(kExpand, {dir_ / "src/X.TX$", dir_ / "out"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(ReadBytes(dir_ / "out/LISEZMOI.TXT"), data);
}

TEST_F(RoundTrip, AKwajNameThatWouldLeaveTheFolderIsNotFollowed) {
  WriteBytes(dir_ / "src/X.TX$", KwajStored("..", "", TextSample(10)));
  const RunResult result = RunTool(kExpand, {"-R", dir_ / "src/X.TX$", dir_ / "out"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.err.find("n'est pas utilisable"), std::string::npos) << result.err;
  EXPECT_EQ(dir_.Names("out"), std::vector<std::string>{"X.TX"});
}

TEST_F(RoundTrip, AFileWithoutSignatureIsCopiedAsItIsAndSaidSo) {
  const Bytes plain = RandomSample(1234, 9);
  WriteBytes(dir_ / "src/PLAIN.TX_", plain);
  const RunResult result = RunTool(kExpand, {dir_ / "src/PLAIN.TX_", dir_ / "out/PLAIN.TXT"});
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.err.find("copié tel quel"), std::string::npos) << result.err;
  EXPECT_EQ(ReadBytes(dir_ / "out/PLAIN.TXT"), plain);
}

}  // namespace
}  // namespace tools::testing_support
