// The bench must fail loudly on any wrong output, whoever produced it; peers are stood in for by
// ordinary programs whose behaviour is known (cat, cp, true, false).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "file_io.h"
#include "in_memory.h"
#include "peers.h"
#include "sample_data.h"

namespace bench {
namespace {

bool Mentions(const FileResult& result, const std::string& text) {
  return std::ranges::any_of(result.problems, [&](const std::string& problem) {
    return problem.find(text) != std::string::npos;
  });
}

TEST(MinimumCheckTest, OursBelowTheMinimumMeansTheMinimumIsWrong) {
  FileResult result;
  result.ours = 100;
  MeasureMinimum(MakeSample(), false, result);
  EXPECT_GT(result.minimum, 100U);
  EXPECT_TRUE(Mentions(result, "MISMATCH")) << testing::PrintToString(result.problems);
}

TEST(MinimumCheckTest, OursAboveTheMinimumFailsOnlyWhenEqualityIsRequired) {
  FileResult lenient;
  lenient.ours = 1'000'000;
  MeasureMinimum(MakeSample(), false, lenient);
  EXPECT_TRUE(lenient.problems.empty()) << testing::PrintToString(lenient.problems);

  FileResult strict;
  strict.ours = 1'000'000;
  MeasureMinimum(MakeSample(), true, strict);
  EXPECT_TRUE(Mentions(strict, "exceed the minimum")) << testing::PrintToString(strict.problems);
}

TEST(OurCodecCheckTest, RoundTripsTheSampleAtTheMinimum) {
  const std::vector<std::uint8_t> data = MakeSample();
  FileResult result;
  const std::vector<std::uint8_t> ours = MeasureOurCodec(data, 1, result);
  MeasureMinimum(data, true, result);
  EXPECT_EQ(ours.size(), result.ours);
  EXPECT_TRUE(result.problems.empty()) << testing::PrintToString(result.problems);
}

class PeersTest : public testing::Test {
 protected:
  const ScratchFolder scratch_;
  const std::vector<std::uint8_t> data_ = {'d', 'o', 'n', 'n', 'e', 'e', 's'};
  Options options_;
  FileResult result_;
};

// With the "compressed" file equal to the input, copying programs give the input back.
TEST_F(PeersTest, PeersThatGiveTheInputBackPass) {
  options_.msexpand = "/bin/cat";
  options_.expand_tool = "/bin/cp";
  MeasurePeers(data_, data_, options_, scratch_.path(), result_);
  EXPECT_TRUE(result_.problems.empty()) << testing::PrintToString(result_.problems);
  EXPECT_TRUE(result_.msexpand_seconds.has_value());
  EXPECT_TRUE(result_.tool_expand_seconds.has_value());
}

TEST_F(PeersTest, PeersThatGiveOtherBytesAreMismatches) {
  const std::vector<std::uint8_t> other = {'a', 'u', 't', 'r', 'e'};
  options_.msexpand = "/bin/cat";
  options_.expand_tool = "/bin/cp";
  MeasurePeers(data_, other, options_, scratch_.path(), result_);
  EXPECT_TRUE(Mentions(result_, "MISMATCH: msexpand"));
  EXPECT_TRUE(Mentions(result_, "MISMATCH: our expand tool"));
}

TEST_F(PeersTest, FailingOrSilentPeersAreProblems) {
  options_.mscompress = "/bin/false";
  options_.compress_tool = "/bin/true";
  MeasurePeers(data_, data_, options_, scratch_.path(), result_);
  EXPECT_TRUE(Mentions(result_, "exit status 1"));
  EXPECT_FALSE(result_.mscompress_size.has_value());
  EXPECT_TRUE(Mentions(result_, "did not write exactly one file"));
}

}  // namespace
}  // namespace bench
