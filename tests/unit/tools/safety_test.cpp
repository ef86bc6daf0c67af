// The rules that keep data safe, each by a test that fails if the rule is broken.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>

#include "support/run_tool.h"
#include "support/scratch_folder.h"
#include "support/tool_paths.h"

namespace tools::testing_support {
namespace {

constexpr int kDestinationRefused = 3;
constexpr int kUnknownMethod = 13;
constexpr int kTooLarge = 17;
constexpr int kOutputFailed = 18;

namespace fs = std::filesystem;

class Safety : public testing::Test {
 protected:
  Safety() {
    fs::create_directory(dir_.path() / "d");
    fs::create_directory(dir_.path() / "d/sub");
    WriteBytes(dir_ / "d/RAPPORT.TXT", original_);
    const RunResult packed = RunTool(kCompress, {"-R", dir_ / "d/RAPPORT.TXT", dir_ / "d"});
    EXPECT_EQ(packed.status, 0) << packed.err;
    packed_ = ReadBytes(dir_ / "d/RAPPORT.TX_");
  }

  // Every spelling of `file` that is not the same string.
  std::vector<std::string> Aliases(const std::string& file) {
    fs::create_hard_link(dir_ / ("d/" + file), dir_ / ("d/hard-" + file));
    fs::create_symlink(dir_ / ("d/" + file), dir_ / ("d/sym-" + file));
    return {dir_ / ("d/" + file), dir_ / ("d/./" + file), dir_ / ("d/sub/../" + file),
            dir_ / ("d/hard-" + file), dir_ / ("d/sym-" + file)};
  }

  ScratchFolder dir_;
  const Bytes original_ = TextSample(20000);
  Bytes packed_;
};

TEST_F(Safety, CompressingAFileOntoItselfIsRefusedWhateverTheSpelling) {
  for (const std::string& alias : Aliases("RAPPORT.TXT")) {
    const RunResult result = RunTool(kCompress, {dir_ / "d/RAPPORT.TXT", alias});
    EXPECT_EQ(result.status, kDestinationRefused) << alias;
    EXPECT_EQ(ReadBytes(dir_ / "d/RAPPORT.TXT"), original_) << alias;
  }
  // Without -R into the file's own folder, the output would be the file itself.
  EXPECT_EQ(RunTool(kCompress, {dir_ / "d/RAPPORT.TXT", dir_ / "d/sub/.."}).status,
            kDestinationRefused);
  EXPECT_EQ(ReadBytes(dir_ / "d/RAPPORT.TXT"), original_);
}

TEST_F(Safety, ExpandingAFileOntoItselfIsRefusedWhateverTheSpelling) {
  for (const std::string& alias : Aliases("RAPPORT.TX_")) {
    const RunResult result = RunTool(kExpand, {dir_ / "d/RAPPORT.TX_", alias});
    EXPECT_EQ(result.status, kDestinationRefused) << alias;
    EXPECT_EQ(ReadBytes(dir_ / "d/RAPPORT.TX_"), packed_) << alias;
  }
}

TEST_F(Safety, AnOutputThatIsAnotherSourceIsRefused) {
  // RAPPORT.TXT would become RAPPORT.TX_, the second source, before that one is read.
  const RunResult result =
      RunTool(kCompress, {"-R", dir_ / "d/RAPPORT.TXT", dir_ / "d/RAPPORT.TX_", dir_ / "d"});
  EXPECT_EQ(result.status, kDestinationRefused);
  EXPECT_NE(result.err.find("est un fichier source"), std::string::npos) << result.err;
  EXPECT_EQ(ReadBytes(dir_ / "d/RAPPORT.TX_"), packed_);
}

TEST_F(Safety, TwoSourcesWithOneRestoredNameDoNotOverwriteEachOther) {
  fs::create_directory(dir_.path() / "out");
  fs::copy_file(dir_ / "d/RAPPORT.TX_", dir_ / "d/sub/RAPPORT.TX_");
  const RunResult result =
      RunTool(kExpand, {"-R", dir_ / "d/RAPPORT.TX_", dir_ / "d/sub/RAPPORT.TX_", dir_ / "out"});
  EXPECT_EQ(result.status, kDestinationRefused);
  EXPECT_NE(result.err.find("vient d'être écrit"), std::string::npos) << result.err;
  EXPECT_EQ(ReadBytes(dir_ / "out/RAPPORT.TXT"), original_);
}

TEST_F(Safety, DamagedInputLeavesNothingAndKeepsAnExistingDestination) {
  Bytes truncated(packed_.begin(),
                  packed_.begin() + static_cast<std::ptrdiff_t>(packed_.size() / 2));
  Bytes unknown_mode = packed_;
  unknown_mode[8] = 'B';
  Bytes longer_claim = packed_;
  longer_claim[12] = 1;  // claims 65,536 more bytes
  const Bytes header_only(packed_.begin(), packed_.begin() + 9);
  const Bytes keep = {'a', 'n', 'c', 'i', 'e', 'n'};
  for (const Bytes& damaged : {truncated, unknown_mode, longer_claim, header_only}) {
    WriteBytes(dir_ / "d/sub/DAMAGED.TX_", damaged);
    WriteBytes(dir_ / "d/sub/KEEP.TXT", keep);
    const std::vector<std::string> before = dir_.Names("d/sub");
    const RunResult result =
        RunTool(kExpand, {dir_ / "d/sub/DAMAGED.TX_", dir_ / "d/sub/KEEP.TXT"});
    EXPECT_GE(result.status, 11) << result.err;
    EXPECT_LE(result.status, 18) << result.err;
    EXPECT_EQ(ReadBytes(dir_ / "d/sub/KEEP.TXT"), keep);
    EXPECT_EQ(dir_.Names("d/sub"), before);
    EXPECT_NE(result.err.find("destination inchangée"), std::string::npos) << result.err;
  }
  WriteBytes(dir_ / "d/sub/DAMAGED.TX_", unknown_mode);
  EXPECT_EQ(RunTool(kExpand, {dir_ / "d/sub/DAMAGED.TX_", dir_ / "d/sub/NEW.TXT"}).status,
            kUnknownMethod);
  EXPECT_FALSE(fs::exists(dir_ / "d/sub/NEW.TXT"));
}

TEST_F(Safety, AnUnwritableFolderFailsCleanly) {
  WriteBytes(dir_ / "d/sub/RAPPORT.TX_", {'k', 'e', 'e', 'p'});
  fs::permissions(dir_ / "d/sub/RAPPORT.TX_", fs::perms::all);  // only the folder refuses
  fs::permissions(dir_.path() / "d/sub", fs::perms::owner_read | fs::perms::owner_exec |
                                             fs::perms::group_read | fs::perms::group_exec |
                                             fs::perms::others_read | fs::perms::others_exec);
  const RunOptions unprivileged{.as_nobody = true};
  const RunResult compressed =
      RunTool(kCompress, {"-R", dir_ / "d/RAPPORT.TXT", dir_ / "d/sub"}, unprivileged);
  const RunResult expanded =
      RunTool(kExpand, {dir_ / "d/RAPPORT.TX_", dir_ / "d/sub/RAPPORT.TXT"}, unprivileged);
  fs::permissions(dir_.path() / "d/sub", fs::perms::all);
  EXPECT_EQ(compressed.status, kOutputFailed) << compressed.err;
  EXPECT_EQ(expanded.status, kOutputFailed) << expanded.err;
  EXPECT_NE(compressed.err.find("accès refusé"), std::string::npos) << compressed.err;
  EXPECT_EQ(dir_.Names("d/sub"), std::vector<std::string>{"RAPPORT.TX_"});
  EXPECT_EQ(ReadBytes(dir_ / "d/sub/RAPPORT.TX_"), (Bytes{'k', 'e', 'e', 'p'}));
}

TEST_F(Safety, AFullDiskLeavesNothingAndKeepsAnExistingDestination) {
  const Bytes big = RandomSample(300000);
  WriteBytes(dir_ / "d/BIG.BIN", big);
  ASSERT_EQ(RunTool(kCompress, {dir_ / "d/BIG.BIN", dir_ / "d/BIG.BI_"}).status, 0);
  const Bytes big_packed = ReadBytes(dir_ / "d/BIG.BI_");
  const Bytes keep = {'k', 'e', 'e', 'p'};
  WriteBytes(dir_ / "d/sub/BIG.BI_", keep);
  WriteBytes(dir_ / "d/sub/BIG.BIN", keep);
  const RunOptions small_disk{.file_size_limit = 100000};
  const RunResult compressed =
      RunTool(kCompress, {dir_ / "d/BIG.BIN", dir_ / "d/sub/BIG.BI_"}, small_disk);
  const RunResult expanded =
      RunTool(kExpand, {dir_ / "d/BIG.BI_", dir_ / "d/sub/BIG.BIN"}, small_disk);
  EXPECT_EQ(compressed.status, kOutputFailed) << compressed.err;
  EXPECT_EQ(expanded.status, kOutputFailed) << expanded.err;
  EXPECT_EQ(ReadBytes(dir_ / "d/sub/BIG.BI_"), keep);
  EXPECT_EQ(ReadBytes(dir_ / "d/sub/BIG.BIN"), keep);
  EXPECT_EQ(dir_.Names("d/sub"), (std::vector<std::string>{"BIG.BIN", "BIG.BI_"}));
}

TEST_F(Safety, AFileBeyondTheFormatsLimitIsRefusedBeforeAnythingIsWritten) {
  const std::string huge = dir_ / "d/HUGE.BIN";
  const int fd = open(huge.c_str(), O_WRONLY | O_CREAT, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(ftruncate(fd, 0x100000000), 0);  // 4 GiB, sparse
  close(fd);
  const RunResult result = RunTool(kCompress, {"-R", huge, dir_ / "d/sub"});
  EXPECT_EQ(result.status, kTooLarge);
  EXPECT_NE(result.err.find("4 294 967 295"), std::string::npos) << result.err;
  EXPECT_TRUE(dir_.Names("d/sub").empty());
}

TEST_F(Safety, TheSourceIsOnlyRead) {
  // A read-only source that belongs to someone else: opening it for writing would fail.
  fs::permissions(dir_.path() / "d/sub", fs::perms::all);
  fs::permissions(dir_.path() / "d/RAPPORT.TXT",
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  struct stat before {};
  ASSERT_EQ(stat((dir_ / "d/RAPPORT.TXT").c_str(), &before), 0);
  const RunResult result =
      RunTool(kCompress, {"-R", dir_ / "d/RAPPORT.TXT", dir_ / "d/sub"}, {.as_nobody = true});
  EXPECT_EQ(result.status, 0) << result.err;
  struct stat after {};
  ASSERT_EQ(stat((dir_ / "d/RAPPORT.TXT").c_str(), &after), 0);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(ReadBytes(dir_ / "d/RAPPORT.TXT"), original_);
}

// Whatever stops a running tool, even a kill that no program can catch, leaves nothing in the
// destination's folder, and a destination there stays as it was.
TEST_F(Safety, AnInterruptionLeavesNothingEvenAKill) {
  WriteBytes(dir_ / "d/BIG.BIN", RandomSample(64 << 20, 5));
  const Bytes keep = {'k', 'e', 'e', 'p'};
  for (const int signal_number : {SIGINT, SIGTERM, SIGKILL}) {
    for (const bool existing : {false, true}) {
      SCOPED_TRACE(std::to_string(signal_number) + (existing ? " replacing" : " new"));
      if (existing) WriteBytes(dir_ / "d/sub/BIG.BI_", keep);
      const std::vector<std::string> before = dir_.Names("d/sub");
      const int pid = StartTool(kCompress, {dir_ / "d/BIG.BIN", dir_ / "d/sub/BIG.BI_"});
      const bool writing = WaitUntilWritingIn(pid, dir_ / "d/sub");
      kill(pid, signal_number);
      const int status = WaitTool(pid);
      if (!writing || status == 0) GTEST_SKIP() << "the tool finished before it could be stopped";
      EXPECT_EQ(status, 128 + signal_number);
      EXPECT_EQ(dir_.Names("d/sub"), before);
      if (existing) {
        EXPECT_EQ(ReadBytes(dir_ / "d/sub/BIG.BI_"), keep);
      }
    }
  }
}

}  // namespace
}  // namespace tools::testing_support
