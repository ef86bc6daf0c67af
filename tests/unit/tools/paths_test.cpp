#include "common/paths.h"

#include <gtest/gtest.h>

namespace tools {
namespace {

void ExpectSplit(std::string_view path, PathStyle style, std::string_view folder,
                 std::string_view name) {
  const PathParts parts = SplitPath(path, style);
  EXPECT_EQ(parts.folder, folder) << path;
  EXPECT_EQ(parts.name, name) << path;
}

TEST(SplitPath, WindowsPaths) {
  ExpectSplit("C:\\DONNEES\\RAPPORT.TXT", PathStyle::kWindows, "C:\\DONNEES\\", "RAPPORT.TXT");
  ExpectSplit("C:/DONNEES/RAPPORT.TXT", PathStyle::kWindows, "C:/DONNEES/", "RAPPORT.TXT");
  ExpectSplit("C:RAPPORT.TXT", PathStyle::kWindows, "C:", "RAPPORT.TXT");
  ExpectSplit("D:\\ARCHIVES\\", PathStyle::kWindows, "D:\\ARCHIVES\\", "");
  ExpectSplit("\\\\SERVEUR\\PARTAGE\\A.TXT", PathStyle::kWindows, "\\\\SERVEUR\\PARTAGE\\",
              "A.TXT");
  ExpectSplit("RAPPORT.TXT", PathStyle::kWindows, "", "RAPPORT.TXT");
}

TEST(SplitPath, PosixPathsKeepBackslashesAndColonsInNames) {
  ExpectSplit("/tmp/a\\b", PathStyle::kPosix, "/tmp/", "a\\b");
  ExpectSplit("C:x", PathStyle::kPosix, "", "C:x");
  ExpectSplit("/", PathStyle::kPosix, "/", "");
}

TEST(JoinPath, AddsOneSeparatorWhereNeeded) {
  EXPECT_EQ(JoinPath("D:\\ARCHIVES", "RAPPORT.TX_", PathStyle::kWindows),
            "D:\\ARCHIVES\\RAPPORT.TX_");
  EXPECT_EQ(JoinPath("D:\\ARCHIVES\\", "RAPPORT.TX_", PathStyle::kWindows),
            "D:\\ARCHIVES\\RAPPORT.TX_");
  EXPECT_EQ(JoinPath("D:/ARCHIVES/", "X", PathStyle::kWindows), "D:/ARCHIVES/X");
  EXPECT_EQ(JoinPath("C:", "X", PathStyle::kWindows), "C:X");
  EXPECT_EQ(JoinPath("", "X", PathStyle::kWindows), "X");
  EXPECT_EQ(JoinPath("/tmp", "x", PathStyle::kPosix), "/tmp/x");
  EXPECT_EQ(JoinPath("C:", "x", PathStyle::kPosix), "C:/x");
}

}  // namespace
}  // namespace tools
