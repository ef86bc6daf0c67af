#include "common/plan.h"

#include <gtest/gtest.h>

#include <map>

#include "common/failure.h"

namespace tools {
namespace {

// Folders and files by path, Windows style; enough for planning, which only looks.
class FakeFileSystem final : public FileSystem {
 public:
  void AddFolder(const std::string& path) { entries_[path] = Info(true); }
  void AddFile(const std::string& path) { entries_[path] = Info(false); }

  std::optional<FileInfo> Stat(const std::string& path) override {
    std::string key = path;
    while (key.size() > 3 && (key.back() == '\\' || key.back() == '/'))
      key.pop_back();
    const auto found = entries_.find(key);
    if (found == entries_.end()) return std::nullopt;
    return found->second;
  }
  std::vector<FolderEntry> List(const std::string& folder) override {
    std::vector<FolderEntry> listed;
    for (const auto& [path, info] : entries_) {
      const PathParts parts = SplitPath(path, PathStyle::kWindows);
      if (parts.folder == folder) listed.push_back({std::string(parts.name), info.is_folder});
    }
    if (listed.empty() && !Stat(folder)) throw IoError("dossier introuvable : " + folder);
    return listed;
  }
  std::unique_ptr<InputFile> OpenRead(const std::string&) override { return nullptr; }
  std::unique_ptr<TemporaryFile> CreateTemporary(const std::string&) override { return nullptr; }

 private:
  FileInfo Info(bool is_folder) {
    FileInfo info;
    info.id = {1, ++next_index_};
    info.is_folder = is_folder;
    return info;
  }
  std::map<std::string, FileInfo> entries_;
  std::uint64_t next_index_ = 0;
};

class PlanTest : public testing::Test {
 protected:
  PlanTest() {
    files_.AddFolder("C:\\DONNEES");
    files_.AddFile("C:\\DONNEES\\RAPPORT.TXT");
    files_.AddFile("C:\\DONNEES\\budget.txt");
    files_.AddFile("C:\\DONNEES\\notes.doc");
    files_.AddFolder("C:\\DONNEES\\vieux.txt");
    files_.AddFolder("D:\\ARCHIVES");
  }

  Plan PlanFor(Tool tool, std::vector<std::string> words) {
    return MakePlan(ParseArguments(words, PathStyle::kWindows), tool, files_, PathStyle::kWindows);
  }

  Status FailureOf(Tool tool, std::vector<std::string> words) {
    try {
      PlanFor(tool, std::move(words));
    } catch (const ToolError& error) {
      return error.status();
    }
    return Status::kOk;
  }

  FakeFileSystem files_;
};

TEST_F(PlanTest, TheProgramsCompressLineGoesIntoTheFolder) {
  const Plan plan = PlanFor(Tool::kCompress, {"-R", "C:\\DONNEES\\RAPPORT.TXT", "D:\\ARCHIVES"});
  ASSERT_EQ(plan.jobs.size(), 1u);
  EXPECT_EQ(plan.jobs[0].source, "C:\\DONNEES\\RAPPORT.TXT");
  EXPECT_EQ(plan.jobs[0].destination, "D:\\ARCHIVES");
  EXPECT_TRUE(plan.jobs[0].into_folder);
}

TEST_F(PlanTest, TheProgramsExpandLineWritesTheNamedFile) {
  const Plan plan =
      PlanFor(Tool::kExpand, {"C:\\DONNEES\\RAPPORT.TX_", "D:\\ARCHIVES\\RAPPORT.TXT"});
  ASSERT_EQ(plan.jobs.size(), 1u);
  EXPECT_EQ(plan.jobs[0].destination, "D:\\ARCHIVES\\RAPPORT.TXT");
  EXPECT_FALSE(plan.jobs[0].into_folder);
}

TEST_F(PlanTest, PatternsExpandToFilesOnlyIgnoringCaseInOrder) {
  const Plan plan = PlanFor(Tool::kCompress, {"C:\\DONNEES\\*.TXT", "D:\\ARCHIVES\\"});
  ASSERT_EQ(plan.jobs.size(), 2u);
  EXPECT_EQ(plan.jobs[0].source, "C:\\DONNEES\\RAPPORT.TXT");
  EXPECT_EQ(plan.jobs[1].source, "C:\\DONNEES\\budget.txt");
  EXPECT_TRUE(plan.problems.empty());
}

TEST_F(PlanTest, APatternWithoutMatchIsReportedAndTheOthersGoOn) {
  const Plan plan = PlanFor(Tool::kCompress, {"C:\\DONNEES\\*.XLS", "C:\\DONNEES\\notes.doc",
                                              "C:\\NULLEPART\\*.TXT", "D:\\ARCHIVES"});
  ASSERT_EQ(plan.jobs.size(), 1u);
  EXPECT_EQ(plan.jobs[0].source, "C:\\DONNEES\\notes.doc");
  EXPECT_EQ(plan.problems.size(), 2u);
}

TEST_F(PlanTest, SeveralSourcesOrAPatternNeedAFolder) {
  EXPECT_EQ(FailureOf(Tool::kCompress, {"C:\\DONNEES\\RAPPORT.TXT", "C:\\DONNEES\\notes.doc",
                                        "D:\\ARCHIVES\\UN.TX_"}),
            Status::kDestination);
  // One match is still a pattern: the user could not know it would be one file.
  EXPECT_EQ(FailureOf(Tool::kCompress, {"C:\\DONNEES\\*.DOC", "D:\\ARCHIVES\\UN.DO_"}),
            Status::kDestination);
  EXPECT_EQ(FailureOf(Tool::kExpand, {"C:\\DONNEES\\*.TXT", "D:\\ARCHIVES\\UN.TXT"}),
            Status::kDestination);
}

TEST_F(PlanTest, WrongCommandLinesAreRefusedBeforeAnythingIsDone) {
  EXPECT_EQ(FailureOf(Tool::kCompress, {}), Status::kUsage);
  EXPECT_EQ(FailureOf(Tool::kCompress, {"C:\\DONNEES\\RAPPORT.TXT"}), Status::kUsage);
  EXPECT_EQ(FailureOf(Tool::kExpand, {"C:\\DONNEES\\RAPPORT.TX_"}), Status::kUsage);
  EXPECT_EQ(FailureOf(Tool::kCompress, {"C:\\DONNEES\\RAPPORT.TXT", "D:\\ARCHIVES\\*.TX_"}),
            Status::kUsage);
  EXPECT_EQ(FailureOf(Tool::kCompress, {"C:\\DONNEES\\RAPPORT.TXT", "D:\\NOUVEAU\\"}),
            Status::kDestination);
}

TEST_F(PlanTest, ExpandRenamingMayLeaveOutTheDestination) {
  const Plan own =
      PlanFor(Tool::kExpand, {"-R", "C:\\DONNEES\\RAPPORT.TXT", "C:\\DONNEES\\notes.doc"});
  ASSERT_EQ(own.jobs.size(), 2u);
  for (const Job& job : own.jobs) {
    EXPECT_TRUE(job.into_folder);
    EXPECT_EQ(job.destination, "C:\\DONNEES\\");
  }
  const Plan into = PlanFor(Tool::kExpand, {"/R", "C:\\DONNEES\\RAPPORT.TXT", "D:\\ARCHIVES"});
  ASSERT_EQ(into.jobs.size(), 1u);
  EXPECT_EQ(into.jobs[0].destination, "D:\\ARCHIVES");
  const Plan listed = PlanFor(Tool::kExpand, {"-D", "C:\\DONNEES\\RAPPORT.TXT"});
  ASSERT_EQ(listed.jobs.size(), 1u);
  EXPECT_TRUE(listed.jobs[0].into_folder);
}

TEST(PlanPosix, ANameThatExistsWithAStarIsTakenLiterally) {
  class OneFile final : public FileSystem {
   public:
    std::optional<FileInfo> Stat(const std::string& path) override {
      if (path == "/data") return FileInfo{{1, 1}, true, 0, 0};
      if (path == "/data/a*b") return FileInfo{{1, 2}, false, 0, 0};
      return std::nullopt;
    }
    std::vector<FolderEntry> List(const std::string&) override {
      return {{"a*b", false}, {"aXb", false}};
    }
    std::unique_ptr<InputFile> OpenRead(const std::string&) override { return nullptr; }
    std::unique_ptr<TemporaryFile> CreateTemporary(const std::string&) override { return nullptr; }
  } files;
  const std::vector<std::string> words{"/data/a*b", "/data"};
  const Plan plan =
      MakePlan(ParseArguments(words, PathStyle::kPosix), Tool::kCompress, files, PathStyle::kPosix);
  ASSERT_EQ(plan.jobs.size(), 1u);
  EXPECT_EQ(plan.jobs[0].source, "/data/a*b");
}

}  // namespace
}  // namespace tools
