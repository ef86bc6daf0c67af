#include "options.h"

#include <gtest/gtest.h>

#include <vector>

#include "file_io.h"

namespace bench {
namespace {

// The corpus folder holds its manifest beside the files; it must not be measured.
TEST(OptionsTest, AFolderStandsForItsVisibleFilesInNameOrder) {
  const ScratchFolder scratch;
  const std::vector<std::uint8_t> byte = {1};
  for (const char* name : {"b.txt", "a.elf", ".manifest"}) {
    ASSERT_TRUE(WriteWholeFile(scratch.path() / name, byte));
  }
  std::filesystem::create_directory(scratch.path() / "c");
  const auto parsed = ParseOptions({"--runs", "2", scratch.path().string()});
  ASSERT_TRUE(std::holds_alternative<Options>(parsed)) << std::get<std::string>(parsed);
  const Options& options = std::get<Options>(parsed);
  EXPECT_EQ(options.runs, 2);
  EXPECT_EQ(options.files, (std::vector{scratch.path() / "a.elf", scratch.path() / "b.txt"}));
}

TEST(OptionsTest, BadCommandLinesAreRefused) {
  const std::vector<std::vector<std::string>> bad = {
      {}, {"--runs", "0", "f"}, {"--runs", "3x", "f"}, {"--msexpand"}, {"--fast", "f"}};
  for (const auto& arguments : bad) {
    EXPECT_TRUE(std::holds_alternative<std::string>(ParseOptions(arguments)))
        << testing::PrintToString(arguments);
  }
}

}  // namespace
}  // namespace bench
