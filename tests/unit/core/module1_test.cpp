// The path helpers of the code module: AddBackslash, and ShortPath over the in-memory platform
// (which gives short forms as Windows does: aliases for long components, the rest as written).
#include "app/module1.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/memory/memory_file_system.h"

namespace tassefiche {
namespace {

TEST(AddBackslash, AddsOneOnlyWhenMissing) {
  EXPECT_EQ(AddBackslash(L"C:\\"), L"C:\\");
  EXPECT_EQ(AddBackslash(L"C:\\OUTILS"), L"C:\\OUTILS\\");
  EXPECT_EQ(AddBackslash(L""), L"\\");
  const std::wstring argument = L"E:\\APP";
  EXPECT_EQ(AddBackslash(argument), L"E:\\APP\\");
  EXPECT_EQ(argument, L"E:\\APP");
}

class ShortPathTest : public ::testing::Test {
 protected:
  ShortPathTest() {
    files.AddDrive(L'C', L"SYSTEME");
    files.AddDrive(L'A', L"", /*ready=*/false);
    files.AddFolder(L"C:\\Program Files\\Tassefiche");
    files.AddFile(L"C:\\DONNEES\\RAPPORT.TX_");
    files.AddFile(L"C:\\DONNEES\\notes.data_");
  }
  MemoryFileSystem files;
  Module1 module1{files};
};

TEST_F(ShortPathTest, KeepsDriveRootsAndShortComponents) {
  EXPECT_EQ(module1.ShortPath(L"C:\\"), L"C:\\");
  EXPECT_EQ(module1.ShortPath(L"C:\\DONNEES\\RAPPORT.TX_"), L"C:\\DONNEES\\RAPPORT.TX_");
}

TEST_F(ShortPathTest, ReplacesLongComponentsByTheirAlias) {
  EXPECT_EQ(module1.ShortPath(L"C:\\Program Files"), L"C:\\PROGRA~1");
  EXPECT_EQ(module1.ShortPath(L"C:\\Program Files\\Tassefiche"), L"C:\\PROGRA~1\\TASSEF~1");
  EXPECT_EQ(module1.ShortPath(L"C:\\DONNEES\\notes.data_"), L"C:\\DONNEES\\NOTES~1.DAT");
}

TEST_F(ShortPathTest, IsEmptyWhenThePlatformGivesNone) {
  EXPECT_EQ(module1.ShortPath(L""), L"");
  EXPECT_EQ(module1.ShortPath(L"C:\\ABSENT\\RAPPORT.TXT"), L"");
  EXPECT_EQ(module1.ShortPath(L"A:\\"), L"");
  EXPECT_EQ(module1.ShortPath(L"Q:\\"), L"");
}

TEST_F(ShortPathTest, KeepsNamesOutsideAnyCodePageAndPathsOfAnyLength) {
  files.AddFile(L"C:\\DONNEES\\Ωμέγα отчёт.txt");
  EXPECT_EQ(module1.ShortPath(L"C:\\DONNEES\\Ωμέγα отчёт.txt"), L"C:\\DONNEES\\______~1.TXT");

  std::wstring deep = L"C:\\DONNEES";
  for (int i = 0; i < 40; ++i)
    deep += L"\\dossier" + std::to_wstring(i % 10);
  files.AddFile(deep + L"\\RAPPORT.TXT");
  const std::wstring short_form = module1.ShortPath(deep + L"\\RAPPORT.TXT");
  EXPECT_GT(short_form.size(), 300U);
  EXPECT_TRUE(short_form.ends_with(L"\\dossier9\\RAPPORT.TXT")) << short_form;
}

}  // namespace
}  // namespace tassefiche
