#include "platform/folder_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory/memory_file_system.h"
#include "platform/platform_error.h"

namespace tassefiche {
namespace {

using ::testing::ElementsAre;

std::vector<std::wstring> Shown(const FolderList& list) {
  std::vector<std::wstring> shown;
  for (const FolderEntry& entry : list.Entries()) {
    shown.push_back(std::wstring(entry.depth, L' ') + (entry.open ? L"+" : L"-") + entry.text);
  }
  return shown;
}

class FolderListTest : public ::testing::Test {
 protected:
  FolderListTest() {
    files.AddDrive(L'C', L"SYSTEME");
    files.AddDrive(L'D', L"DONNEES");
    files.AddDrive(L'A', L"", /*ready=*/false);
    files.AddFolder(L"C:\\Program Files\\Tassefiche\\zeta");
    files.AddFolder(L"C:\\Program Files\\Tassefiche\\Alpha");
    files.AddFolder(L"C:\\Program Files\\Tassefiche\\beta");
    files.AddFile(L"C:\\Program Files\\Tassefiche\\lisezmoi.txt");
    files.AddFolder(L"D:\\Archives\\2007");
    files.ChangeDirectory(L"D:\\Archives");
    files.ChangeDirectory(L"C:\\Program Files\\Tassefiche");
  }
  MemoryFileSystem files;
};

TEST_F(FolderListTest, ShowsThePathComponentsThenTheSubFolders) {
  const FolderList list(L"Repertoire1", files);
  EXPECT_EQ(list.Path(), L"C:\\Program Files\\Tassefiche");
  EXPECT_THAT(Shown(list), ElementsAre(L"+C:\\", L" +Program Files", L"  +Tassefiche", L"   -Alpha",
                                       L"   -beta", L"   -zeta"));
  EXPECT_EQ(list.ListCount(), 3U);
  EXPECT_EQ(list.Entries()[4].path, L"C:\\Program Files\\Tassefiche\\beta");
}

TEST_F(FolderListTest, SettingThePathRunsChangeBeforeTheAssignmentReturns) {
  FolderList list(L"Repertoire1", files);
  std::vector<std::wstring> seen;
  list.on_change = [&] { seen.push_back(list.Path()); };
  list.SetPath(L"c:\\program files");
  seen.push_back(L"after");
  EXPECT_THAT(seen, ElementsAre(L"C:\\Program Files", L"after"));
  list.SetPath(L"C:\\PROGRA~1");  // the same folder: no change
  EXPECT_EQ(seen.size(), 2U);
}

TEST_F(FolderListTest, ADriveDesignationMovesToThatDrivesCurrentFolder) {
  FolderList list(L"Repertoire2", files);
  int changes = 0;
  list.on_change = [&] { ++changes; };
  list.SetPath(L"d: [DONNEES]");
  EXPECT_EQ(list.Path(), L"D:\\Archives");
  EXPECT_EQ(changes, 1);
  EXPECT_THAT(Shown(list), ElementsAre(L"+D:\\", L" +Archives", L"  -2007"));
}

TEST_F(FolderListTest, ADriveThatCannotBeReadFailsAndTheListStays) {
  FolderList list(L"Repertoire1", files);
  int changes = 0;
  list.on_change = [&] { ++changes; };
  EXPECT_THROW(list.SetPath(L"a:"), PlatformError);
  EXPECT_THROW(list.SetPath(L"C:\\Absent"), PlatformError);
  EXPECT_EQ(list.Path(), L"C:\\Program Files\\Tassefiche");
  EXPECT_EQ(changes, 0);
}

TEST_F(FolderListTest, AClickHighlightsAndOpeningMoves) {
  FolderList list(L"Repertoire1", files);
  int clicks = 0;
  int changes = 0;
  list.on_click = [&] { ++clicks; };
  list.on_change = [&] { ++changes; };
  list.Click(3);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(list.Highlighted(), 3U);
  EXPECT_EQ(list.Path(), L"C:\\Program Files\\Tassefiche");
  list.Open(1);
  EXPECT_EQ(list.Path(), L"C:\\Program Files");
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(list.Highlighted().has_value());
}

TEST(DriveDesignation, IsTheLetterAndTheLabel) {
  EXPECT_EQ(DriveOfDesignation(L"d: [DONNEES]"), L'D');
  EXPECT_EQ(DriveOfDesignation(L"e:"), L'E');
  EXPECT_EQ(DriveOfDesignation(L"C:\\"), std::nullopt);
  EXPECT_EQ(DriveOfDesignation(L"rapport"), std::nullopt);
}

}  // namespace
}  // namespace tassefiche
