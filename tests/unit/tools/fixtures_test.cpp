// Every fixture of the codec (files from independent encoders, every format and KWAJ method, and
// damaged ones) through the EXPAND binary: right bytes, or a refusal that leaves the destination.
#include <gtest/gtest.h>

#include "support/run_tool.h"
#include "support/scratch_folder.h"
#include "support/tool_paths.h"

namespace tools::testing_support {
namespace {

namespace fs = std::filesystem;

TEST(Fixtures, ExpandGivesEachFilesBytesOrRefusesIt) {
  ScratchFolder dir;
  const Bytes keep = {'a', 'v', 'a', 'n', 't'};
  int count = 0;
  for (const auto& entry : fs::directory_iterator(TASSEFICHE_CODEC_FIXTURES)) {
    const fs::path file = entry.path();
    if (file.extension() == ".out" || file.extension() == ".md") continue;
    const Bytes expected = ReadBytes(file.string() + ".out");
    const std::string destination = dir / (file.filename().string() + ".out");
    WriteBytes(destination, keep);
    const RunResult result = RunTool(kExpand, {file.string(), destination});
    if (expected.empty()) {
      EXPECT_GE(result.status, 11) << file;
      EXPECT_EQ(ReadBytes(destination), keep) << file;
    } else {
      EXPECT_EQ(result.status, 0) << file << result.err;
      EXPECT_EQ(ReadBytes(destination), expected) << file;
    }
    ++count;
  }
  EXPECT_GE(count, 19);
  EXPECT_EQ(dir.Names().size(), static_cast<std::size_t>(count));  // nothing else left behind
}

}  // namespace
}  // namespace tools::testing_support
