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

TEST(CabTargetsTest, LzxNeverAboveMsZipAndWithinAQuarterOfXzWhereXzCompresses) {
  struct Case {
    const char* name;
    std::uint64_t lzx;
    std::uint64_t mszip;
    std::optional<std::uint64_t> xz;
    bool met;
  };
  const Case cases[] = {
      {"exactly 1.25 times xz", 12500, 20000, 10000, true},
      {"a byte above", 12501, 20000, 10000, false},
      {"a byte larger than MSZIP", 9001, 9000, 10000, false},
      {"random: xz cannot compress, LZX stored", 100100, 100200, 100050, true},
      {"xz failed: only MSZIP to compare", 30000, 30000, std::nullopt, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CabResult result;
    result.name = "f";
    result.size = 100000;
    result.lzx = c.lzx;
    result.ours = c.mszip;
    result.xz = c.xz;
    EXPECT_EQ(MissedLzxTargets({result}).empty(), c.met);
  }
}

}  // namespace
}  // namespace bench
