#include "common/arguments.h"

#include <gtest/gtest.h>

#include "common/failure.h"

namespace tools {
namespace {

Arguments Parse(std::vector<std::string> words, PathStyle style = PathStyle::kWindows) {
  return ParseArguments(words, style);
}

Status UsageStatusOf(std::vector<std::string> words, PathStyle style) {
  try {
    Parse(std::move(words), style);
  } catch (const ToolError& error) {
    return error.status();
  }
  return Status::kOk;
}

TEST(ParseArguments, TakesTheProgramsUpperCasedLine) {
  const Arguments arguments = Parse({"-R", "C:\\DONNEES\\RAPPORT.TXT", "D:\\ARCHIVES"});
  EXPECT_TRUE(arguments.rename);
  EXPECT_FALSE(arguments.dated);
  EXPECT_EQ(arguments.names,
            (std::vector<std::string>{"C:\\DONNEES\\RAPPORT.TXT", "D:\\ARCHIVES"}));
}

TEST(ParseArguments, OptionsInEitherCaseWithDashOrSlashAnywhere) {
  for (const PathStyle style : {PathStyle::kWindows, PathStyle::kPosix}) {
    const Arguments arguments = Parse({"a", "/r", "b", "-d"}, style);
    EXPECT_TRUE(arguments.rename);
    EXPECT_TRUE(arguments.dated);
    EXPECT_EQ(arguments.names, (std::vector<std::string>{"a", "b"}));
  }
  for (const char* help : {"-?", "/?", "-h", "/H", "--help"}) {
    EXPECT_TRUE(Parse({help}).help) << help;
  }
}

TEST(ParseArguments, DoubleDashEndsTheOptions) {
  const Arguments arguments = Parse({"--", "-R", "/D"});
  EXPECT_FALSE(arguments.rename);
  EXPECT_EQ(arguments.names, (std::vector<std::string>{"-R", "/D"}));
}

TEST(ParseArguments, UnknownOptionIsAUsageError) {
  EXPECT_EQ(UsageStatusOf({"-X", "a", "b"}, PathStyle::kPosix), Status::kUsage);
  EXPECT_EQ(UsageStatusOf({"--verbose"}, PathStyle::kPosix), Status::kUsage);
  EXPECT_EQ(UsageStatusOf({"/X", "a", "b"}, PathStyle::kWindows), Status::kUsage);
}

TEST(ParseArguments, SlashWordsAreNamesOnPosixUnlessKnownOptions) {
  const Arguments arguments = Parse({"/x", "/tmp/a"}, PathStyle::kPosix);
  EXPECT_EQ(arguments.names, (std::vector<std::string>{"/x", "/tmp/a"}));
  EXPECT_EQ(Parse({"-"}, PathStyle::kPosix).names, std::vector<std::string>{"-"});
}

}  // namespace
}  // namespace tools
