#include "common/plan.h"

#include <gtest/gtest.h>

#include "common/failure.h"
#include "support/fake_file_system.h"

namespace tools {
namespace {

using testing_support::FakeFileSystem;

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
  FakeFileSystem files;
  files.AddFolder("/data");
  files.AddFile("/data/a*b");
  files.AddFile("/data/aXb");
  const std::vector<std::string> words{"/data/a*b", "/data"};
  const Plan plan =
      MakePlan(ParseArguments(words, PathStyle::kPosix), Tool::kCompress, files, PathStyle::kPosix);
  ASSERT_EQ(plan.jobs.size(), 1u);
  EXPECT_EQ(plan.jobs[0].source, "/data/a*b");
}

}  // namespace
}  // namespace tools
