// A replaced destination keeps its permissions; a new one gets the default mode less the umask.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/run_tool.h"
#include "support/scratch_folder.h"
#include "support/tool_paths.h"

namespace tools::testing_support {
namespace {

namespace fs = std::filesystem;

constexpr uid_t kNobody = 65534;

struct stat StatOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(stat(path.c_str(), &st), 0) << path;
  return st;
}

class Permissions : public testing::Test {
 protected:
  Permissions() {
    fs::create_directory(dir_.path() / "out");
    WriteBytes(dir_ / "RAPPORT.TXT", TextSample(5000));
    EXPECT_EQ(RunTool(kCompress, {dir_ / "RAPPORT.TXT", dir_ / "RAPPORT.TX_"}).status, 0);
  }

  // Each tool, writing `destination`.
  std::vector<RunResult> RunBoth(const std::string& destination, const RunOptions& options = {}) {
    return {RunTool(kExpand, {dir_ / "RAPPORT.TX_", destination}, options),
            RunTool(kCompress, {dir_ / "RAPPORT.TXT", destination}, options)};
  }

  ScratchFolder dir_;
};

TEST_F(Permissions, AReplacedFileKeepsItsModeOwnerAndGroup) {
  if (getuid() != 0) GTEST_SKIP() << "giving a file to another owner takes root";
  const std::string destination = dir_ / "out/PRIVE.TXT";
  for (const mode_t mode : {0600U, 0640U, 0604U, 0751U, 0666U, 04755U, 02750U}) {
    SCOPED_TRACE(mode);
    WriteBytes(destination, {'x'});
    ASSERT_EQ(chown(destination.c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(chmod(destination.c_str(), mode), 0);
    for (const RunResult& result : RunBoth(destination)) {
      EXPECT_EQ(result.status, 0) << result.err;
      const struct stat st = StatOf(destination);
      EXPECT_EQ(st.st_mode & 07777, mode);
      EXPECT_EQ(st.st_uid, kNobody);
      EXPECT_EQ(st.st_gid, kNobody);
    }
  }
}

TEST_F(Permissions, WithoutTheRightToGiveTheOwnerTheModeStaysButNotItsSetUserBit) {
  if (getuid() != 0) GTEST_SKIP() << "the test runs the tool as another user, which takes root";
  fs::permissions(dir_.path() / "out", fs::perms::all);
  const std::string destination = dir_ / "out/PARTAGE.TXT";
  for (const auto& [mode, kept] : {std::pair<mode_t, mode_t>{0666, 0666}, {04666, 0666}}) {
    SCOPED_TRACE(mode);
    fs::remove(destination);
    WriteBytes(destination, {'x'});  // root's
    ASSERT_EQ(chmod(destination.c_str(), mode), 0);
    for (const RunResult& result : RunBoth(destination, {.as_nobody = true})) {
      EXPECT_EQ(result.status, 0) << result.err;
      const struct stat st = StatOf(destination);
      EXPECT_EQ(st.st_mode & 07777, kept);
      EXPECT_EQ(st.st_uid, kNobody);  // the user's own file now, as any file he writes
    }
  }
}

TEST_F(Permissions, ANewFileGetsTheDefaultModeLessTheUmask) {
  for (const auto& [mask, mode] : {std::pair<int, mode_t>{022, 0644}, {027, 0640}, {0, 0666}}) {
    SCOPED_TRACE(mask);
    const std::string destination = dir_ / "out/NOUVEAU.TXT";
    for (const std::string& tool : {kExpand, kCompress}) {
      fs::remove(destination);
      const std::string source = dir_ / (tool == kExpand ? "RAPPORT.TX_" : "RAPPORT.TXT");
      const RunResult result = RunTool(tool, {source, destination}, {.umask = mask});
      EXPECT_EQ(result.status, 0) << result.err;
      EXPECT_EQ(StatOf(destination).st_mode & 07777, mode);
    }
  }
}

TEST_F(Permissions, AFileTheUserMayNotWriteIsRefusedAndKept) {
  if (getuid() != 0) GTEST_SKIP() << "the test runs the tool as another user, which takes root";
  fs::permissions(dir_.path() / "out", fs::perms::all);
  const std::string destination = dir_ / "out/PROTEGE.TXT";
  WriteBytes(destination, {'x'});
  ASSERT_EQ(chmod(destination.c_str(), 0644), 0);  // root's, and only root may write it
  for (const RunResult& result : RunBoth(destination, {.as_nobody = true})) {
    EXPECT_EQ(result.status, 3);
    EXPECT_NE(result.err.find("est protégé en écriture"), std::string::npos) << result.err;
    EXPECT_EQ(ReadBytes(destination), Bytes{'x'});
  }
}

}  // namespace
}  // namespace tools::testing_support
