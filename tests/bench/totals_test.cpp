#include "totals.h"

#include <gtest/gtest.h>

namespace bench {
namespace {

TEST(SumOfTest, SumsFiguresAndLeavesOutThoseAFileLacks) {
  FileResult first;
  first.size = 100;
  first.ours = 40;
  first.mscompress_size = 45;
  first.msexpand_seconds = 0.5;
  FileResult second = first;
  second.size = 300;
  second.msexpand_seconds.reset();  // msexpand failed on this one

  const FileResult total = SumOf({first, second});
  EXPECT_EQ(total.name, "TOTAL");
  EXPECT_EQ(total.size, 400U);
  EXPECT_EQ(total.ours, 80U);
  EXPECT_EQ(total.mscompress_size, 90U);
  EXPECT_FALSE(total.msexpand_seconds.has_value());
  EXPECT_FALSE(total.tool_compress_seconds.has_value());  // absent everywhere
}

}  // namespace
}  // namespace bench
