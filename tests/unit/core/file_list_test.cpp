#include "platform/file_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory/memory_file_system.h"
#include "platform/platform_error.h"

namespace tassefiche {
namespace {

using ::testing::ElementsAre;

std::vector<std::wstring> Names(const FileList& list) {
  std::vector<std::wstring> names;
  for (std::size_t i = 0; i < list.ListCount(); ++i)
    names.push_back(list.List(i));
  return names;
}

class FileListTest : public ::testing::Test {
 protected:
  FileListTest() {
    files.AddDrive(L'C');
    files.AddFolder(L"C:\\DONNEES\\Sous dossier");
    files.AddFile(L"C:\\DONNEES\\rapport.txt");
    files.AddFile(L"C:\\DONNEES\\Archive.TX_");
    files.AddFile(L"C:\\DONNEES\\cache.dat", kAttrHidden | kAttrArchive);
    files.AddFile(L"C:\\DONNEES\\boot.sys", kAttrSystem | kAttrHidden);
    files.AddFile(L"C:\\DONNEES\\modele.doc", kAttrReadOnly);
    files.AddFile(L"C:\\DONNEES\\brut.bin", 0);
    files.ChangeDirectory(L"C:\\DONNEES");
  }
  MemoryFileSystem files;
};

TEST_F(FileListTest, StartsOnTheCurrentFolderShowingArchiveAndNormalFiles) {
  const FileList list(L"Fichier1", files);
  EXPECT_EQ(list.Path(), L"C:\\DONNEES");
  EXPECT_EQ(list.Pattern(), L"*.*");
  // Folders never; hidden, system and read-only files not with the initial switches.
  EXPECT_THAT(Names(list), ElementsAre(L"Archive.TX_", L"brut.bin", L"rapport.txt"));
}

TEST_F(FileListTest, AnySwitchThatIsOffKeepsItsFilesOut) {
  FileList list(L"Fichier2", files);
  list.SetHidden(true);
  EXPECT_THAT(Names(list), ElementsAre(L"Archive.TX_", L"brut.bin", L"cache.dat", L"rapport.txt"));
  list.SetSystem(true);
  list.SetReadOnly(true);
  EXPECT_EQ(list.ListCount(), 6U);
  list.SetArchive(false);
  EXPECT_THAT(Names(list), ElementsAre(L"boot.sys", L"brut.bin", L"modele.doc"));
  list.SetNormal(false);
  EXPECT_THAT(Names(list), ElementsAre(L"boot.sys", L"modele.doc"));
}

TEST_F(FileListTest, PatternNarrowsTheListAndARefusedOneChangesNothing) {
  FileList list(L"Fichier1", files);
  list.SetPattern(L"*.??_");
  EXPECT_THAT(Names(list), ElementsAre(L"Archive.TX_"));
  EXPECT_THROW(list.SetPattern(L"*.t|t"), PlatformError);
  EXPECT_EQ(list.Pattern(), L"*.??_");
  EXPECT_THAT(Names(list), ElementsAre(L"Archive.TX_"));
  list.SetPattern(L"");
  EXPECT_EQ(list.ListCount(), 3U);
}

TEST_F(FileListTest, RefreshReadsTheFolderAgainAndClearsTheSelection) {
  FileList list(L"Fichier1", files);
  int clicks = 0;
  list.on_click = [&] { ++clicks; };
  list.Select(2);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(list.Selected(2));
  EXPECT_EQ(list.FileName(), L"rapport.txt");

  files.AddFile(L"C:\\DONNEES\\nouveau.txt");
  EXPECT_EQ(list.ListCount(), 3U);
  list.Refresh();
  EXPECT_THAT(Names(list),
              ElementsAre(L"Archive.TX_", L"brut.bin", L"nouveau.txt", L"rapport.txt"));
  EXPECT_FALSE(list.ListIndex().has_value());
  EXPECT_EQ(list.FileName(), L"");
}

TEST_F(FileListTest, OrderIgnoresCaseAndIsStable) {
  files.AddDrive(L'E');
  // "A.TXT" names the same file as "a.txt", as on Windows.
  for (const wchar_t* name : {L"b.txt", L"B.TXT2", L"a.txt", L"A.TXT", L"_x", L"Z"}) {
    files.AddFile(std::wstring(L"E:\\") + name);
  }
  FileList list(L"Fichier1", files);
  list.SetPath(L"E:\\");
  EXPECT_THAT(Names(list), ElementsAre(L"a.txt", L"b.txt", L"B.TXT2", L"Z", L"_x"));
}

TEST_F(FileListTest, AFolderThatIsNotThereIsRefused) {
  FileList list(L"Fichier1", files);
  EXPECT_THROW(list.SetPath(L"C:\\ABSENT"), PlatformError);
  EXPECT_EQ(list.Path(), L"C:\\DONNEES");
  list.SetPath(L"Sous dossier");
  EXPECT_EQ(list.Path(), L"C:\\DONNEES\\Sous dossier");
  EXPECT_EQ(list.ListCount(), 0U);
}

TEST_F(FileListTest, CountsAFolderOfAnySize) {
  files.AddDrive(L'F');
  for (int i = 0; i < 70'000; ++i)
    files.AddFile(L"F:\\F" + std::to_wstring(100'000 + i) + L".DAT");
  FileList list(L"Fichier1", files);
  list.SetPath(L"F:\\");
  EXPECT_EQ(list.ListCount(), 70'000U);
  EXPECT_EQ(list.List(69'999), L"F169999.DAT");
}

}  // namespace
}  // namespace tassefiche
