#include "process.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "file_io.h"

namespace bench {
namespace {

TEST(RunProcessTest, AFailingProgramIsAFailureThatSaysHow) {
  const ProcessRun run = RunProcess("/bin/sh", {"-c", "exit 3"});
  EXPECT_FALSE(run.succeeded);
  EXPECT_NE(run.failure.find("exit status 3"), std::string::npos) << run.failure;

  const ProcessRun killed = RunProcess("/bin/sh", {"-c", "kill -9 $$"});
  EXPECT_FALSE(killed.succeeded);
  EXPECT_NE(killed.failure.find("signal 9"), std::string::npos) << killed.failure;
}

TEST(RunProcessTest, AMissingProgramIsAFailure) {
  const ScratchFolder scratch;
  const ProcessRun run = RunProcess(scratch.path() / "absent", {});
  EXPECT_FALSE(run.succeeded);
  EXPECT_NE(run.failure.find("cannot start"), std::string::npos) << run.failure;
}

TEST(RunProcessTest, StandardStreamsComeFromAndGoToTheFilesGiven) {
  const ScratchFolder scratch;
  const std::vector<std::uint8_t> bytes = {'S', 'Z', 0, 0xFF, '\n', 'x'};
  ASSERT_TRUE(WriteWholeFile(scratch.path() / "in", bytes));
  const ProcessRun run =
      RunProcess("/bin/cat", {}, {scratch.path() / "in", scratch.path() / "out"});
  EXPECT_TRUE(run.succeeded) << run.failure;
  EXPECT_GT(run.seconds, 0);
  EXPECT_EQ(ReadWholeFile(scratch.path() / "out"), bytes);
}

}  // namespace
}  // namespace bench
