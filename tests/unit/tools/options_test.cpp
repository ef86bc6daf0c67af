// Options, patterns, help and exit statuses of the native tools.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/run_tool.h"
#include "support/scratch_folder.h"
#include "support/tool_paths.h"

namespace tools::testing_support {
namespace {

namespace fs = std::filesystem;

class Options : public testing::Test {
 protected:
  Options() {
    fs::create_directory(dir_.path() / "in");
    fs::create_directory(dir_.path() / "out");
  }
  ScratchFolder dir_;
};

void SetModified(const std::string& path, fs::file_time_type when) {
  fs::last_write_time(path, when);
}

TEST_F(Options, DatedCompressionSkipsAnUpToDateDestination) {
  WriteBytes(dir_ / "in/A.TXT", TextSample(1000));
  const Bytes marker = {'n', 'e', 'u', 'f'};
  WriteBytes(dir_ / "out/A.TX_", marker);
  const auto now = fs::file_time_type::clock::now();
  SetModified(dir_ / "in/A.TXT", now - std::chrono::hours(2));
  SetModified(dir_ / "out/A.TX_", now - std::chrono::hours(1));

  const RunResult skipped = RunTool(kCompress, {"-D", "-R", dir_ / "in/A.TXT", dir_ / "out"});
  EXPECT_EQ(skipped.status, 0) << skipped.err;
  EXPECT_NE(skipped.out.find("à jour"), std::string::npos) << skipped.out;
  EXPECT_EQ(ReadBytes(dir_ / "out/A.TX_"), marker);

  SetModified(dir_ / "out/A.TX_", now - std::chrono::hours(3));
  EXPECT_EQ(RunTool(kCompress, {"/d", "/r", dir_ / "in/A.TXT", dir_ / "out"}).status, 0);
  EXPECT_NE(ReadBytes(dir_ / "out/A.TX_"), marker);
  // Without -D the date does not matter.
  WriteBytes(dir_ / "out/A.TX_", marker);
  EXPECT_EQ(RunTool(kCompress, {"-R", dir_ / "in/A.TXT", dir_ / "out"}).status, 0);
  EXPECT_NE(ReadBytes(dir_ / "out/A.TX_"), marker);
}

TEST_F(Options, ExpandListingWritesNothing) {
  WriteBytes(dir_ / "in/A.TXT", TextSample(1000));
  ASSERT_EQ(RunTool(kCompress, {"-R", dir_ / "in/A.TXT", dir_ / "in"}).status, 0);
  WriteBytes(dir_ / "in/PLAIN.BIN", RandomSample(10));
  const std::vector<std::string> before = dir_.Names("in");

  const RunResult listed = RunTool(kExpand, {"-D", dir_ / "in/A.TX_", dir_ / "in/PLAIN.BIN"});
  EXPECT_EQ(listed.status, 0) << listed.err;
  EXPECT_NE(listed.out.find("SZDD, 1000 octets -> " + dir_ / "in/A.TXT"), std::string::npos)
      << listed.out;
  EXPECT_NE(listed.out.find("copié tel quel (10 octets)"), std::string::npos) << listed.out;
  EXPECT_EQ(dir_.Names("in"), before);

  const RunResult into = RunTool(kExpand, {"-D", dir_ / "in/*.TX_", dir_ / "out"});
  EXPECT_EQ(into.status, 0) << into.err;
  EXPECT_NE(into.out.find(dir_ / "out/A.TXT"), std::string::npos) << into.out;
  EXPECT_TRUE(dir_.Names("out").empty());
}

TEST_F(Options, PatternsTakeFilesIgnoringCaseAndNeedAFolder) {
  for (const char* name : {"UN.TXT", "deux.txt", "trois.txt.bak", "quatre.doc"}) {
    WriteBytes(dir_ / ("in/" + std::string(name)), TextSample(300));
  }
  fs::create_directory(dir_.path() / "in/dossier.txt");

  const RunResult result = RunTool(kCompress, {"-R", dir_ / "in/*.TXT", dir_ / "out"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(dir_.Names("out"), (std::vector<std::string>{"UN.TX_", "deux.tx_"}));

  const RunResult one_match = RunTool(kCompress, {dir_ / "in/*.doc", dir_ / "out/x.do_"});
  EXPECT_EQ(one_match.status, 3);
  EXPECT_FALSE(fs::exists(dir_ / "out/x.do_"));

  const RunResult no_match = RunTool(kExpand, {dir_ / "in/*.zz", dir_ / "out"});
  EXPECT_EQ(no_match.status, 2);
  EXPECT_NE(no_match.err.find("aucun fichier ne correspond"), std::string::npos) << no_match.err;
}

TEST_F(Options, SeveralSourcesIntoAFileWriteNothingAtAll) {
  WriteBytes(dir_ / "in/A.TXT", TextSample(100));
  WriteBytes(dir_ / "in/B.TXT", TextSample(200));
  for (const std::string& tool : {kCompress, kExpand}) {
    const RunResult result = RunTool(tool, {dir_ / "in/A.TXT", dir_ / "in/B.TXT", dir_ / "out/C"});
    EXPECT_EQ(result.status, 3) << tool;
    EXPECT_TRUE(dir_.Names("out").empty()) << tool;
  }
}

TEST_F(Options, EachKindOfFailureHasItsStatusAndTheOthersGoOn) {
  WriteBytes(dir_ / "in/A.TXT", TextSample(100));
  EXPECT_EQ(RunTool(kCompress, {"-Q", dir_ / "in/A.TXT", dir_ / "out"}).status, 1);
  EXPECT_EQ(RunTool(kCompress, {dir_ / "in/A.TXT"}).status, 1);
  EXPECT_EQ(RunTool(kExpand, {}).status, 1);
  EXPECT_EQ(RunTool(kCompress, {dir_ / "in/ABSENT.TXT", dir_ / "out"}).status, 2);
  EXPECT_EQ(RunTool(kCompress, {dir_ / "in", dir_ / "out/X"}).status, 2);
  EXPECT_EQ(RunTool(kCompress, {dir_ / "in/A.TXT", dir_ / "nowhere/"}).status, 3);

  // The first failure decides the status; the good file is still done.
  const RunResult mixed =
      RunTool(kCompress, {dir_ / "in/ABSENT.TXT", dir_ / "in/A.TXT", dir_ / "out"});
  EXPECT_EQ(mixed.status, 2);
  EXPECT_TRUE(fs::exists(dir_ / "out/A.TXT"));
  EXPECT_NE(mixed.err.find("ABSENT.TXT"), std::string::npos) << mixed.err;
}

TEST_F(Options, HelpExplainsTheNamesAndTheStatuses) {
  for (const std::string& tool : {kCompress, kExpand}) {
    for (const char* option : {"-?", "/?", "--help", "/h"}) {
      const RunResult help = RunTool(tool, {option});
      EXPECT_EQ(help.status, 0) << option;
      EXPECT_NE(help.out.find("Codes de sortie"), std::string::npos) << option;
      EXPECT_NE(help.out.find("18  écriture impossible"), std::string::npos) << option;
      EXPECT_NE(help.out.find("README._"), std::string::npos) << option;
    }
  }
  EXPECT_NE(RunTool(kCompress, {"-?"}).out.find("A.B -> A.B_"), std::string::npos);
}

}  // namespace
}  // namespace tools::testing_support
