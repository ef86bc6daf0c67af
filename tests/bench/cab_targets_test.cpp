#include "cab_targets.h"

#include <gtest/gtest.h>

namespace bench {
namespace {

TEST(CabTargetsTest, SixPercentUnderGcabUnlessItCannotCompressAndNeverLarger) {
  struct Case {
    const char* name;
    std::uint64_t size;
    std::uint64_t ours;
    std::optional<std::uint64_t> gcab;
    bool met;
  };
  const Case cases[] = {
      {"exactly 6% smaller", 100000, 9400, 10000, true},
      {"a byte short of 6%", 100000, 9401, 10000, false},
      {"larger than gcab", 100000, 10001, 10000, false},
      {"random: gcab stores, ours the same size", 1000, 1071, 1071, true},
      {"random: ours a byte larger", 1000, 1072, 1071, false},
      {"gcab failed: nothing to compare", 1000, 2000, std::nullopt, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CabResult result;
    result.name = "f";
    result.size = c.size;
    result.ours = c.ours;
    result.gcab = c.gcab;
    EXPECT_EQ(MissedSizeTargets({result}).empty(), c.met);
  }
}

}  // namespace
}  // namespace bench
