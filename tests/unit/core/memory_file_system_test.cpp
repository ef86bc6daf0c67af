// The in-memory platform must behave as Windows does where the program can tell the difference,
// or the other tests prove nothing.
#include "platform/memory/memory_file_system.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/platform_error.h"
#include "platform/text.h"

namespace tassefiche {
namespace {

using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::UnorderedElementsAre;

// Names already in use in a folder, compared as the file system compares them.
NameTaken In(std::vector<std::wstring> names) {
  return [names](std::wstring_view alias) {
    return std::any_of(names.begin(), names.end(),
                       [&](const std::wstring& name) { return EqualsNoCase(name, alias); });
  };
}

TEST(ShortAlias, FollowsTheWindowsScheme) {
  EXPECT_EQ(ShortAlias(L"notes.data_", In({})), L"NOTES~1.DAT");
  EXPECT_EQ(ShortAlias(L"Program Files", In({})), L"PROGRA~1");
  EXPECT_EQ(ShortAlias(L"rapport annuel.txt", In({})), L"RAPPOR~1.TXT");
  EXPECT_EQ(ShortAlias(L"a+b.txt", In({})), L"A_B~1.TXT");
  EXPECT_EQ(ShortAlias(L"archive.tar.gz", In({})), L"ARCHIV~1.GZ");
  EXPECT_EQ(ShortAlias(L".profile", In({})), L"PROFIL~1");
}

TEST(ShortAlias, TakesTheFirstFreeNumber) {
  EXPECT_EQ(ShortAlias(L"rapport annuel.txt", In({L"RAPPOR~1.TXT"})), L"RAPPOR~2.TXT");
  EXPECT_EQ(ShortAlias(L"rapport annuel.txt", In({L"rappor~1.txt", L"RAPPOR~2.TXT"})),
            L"RAPPOR~3.TXT");
}

TEST(ShortAlias, LeavesValidShortNamesAlone) {
  EXPECT_EQ(ShortAlias(L"RAPPORT.TXT", In({})), L"");
  EXPECT_EQ(ShortAlias(L"rapport.tx_", In({})), L"");
  EXPECT_EQ(ShortAlias(L"README", In({})), L"");
  EXPECT_EQ(ShortAlias(L"a.b.c", In({})), L"AB~1.C");
  EXPECT_EQ(ShortAlias(L"nom long.", In({})), L"NOMLON~1");
}

class MemoryFileSystemTest : public ::testing::Test {
 protected:
  MemoryFileSystemTest() {
    files.AddDrive(L'C', L"SYSTEME");
    files.AddDrive(L'D', L"DONNEES");
    files.AddDrive(L'A', L"", /*ready=*/false);
    files.AddFolder(L"C:\\Program Files\\Tassefiche");
    files.AddFile(L"C:\\Program Files\\Tassefiche\\lisezmoi.txt");
    files.AddFolder(L"D:\\Archives");
  }
  MemoryFileSystem files;
};

TEST_F(MemoryFileSystemTest, FindsNamesAndAliasesWhateverTheirCase) {
  EXPECT_EQ(files.ResolveFolder(L"c:\\PROGRAM FILES\\tassefiche", L""),
            L"C:\\Program Files\\Tassefiche");
  EXPECT_EQ(files.ResolveFolder(L"C:\\progra~1", L""), L"C:\\Program Files");
  EXPECT_EQ(files.ResolveFolder(L"..\\..", L"C:\\Program Files\\Tassefiche"), L"C:\\");
  EXPECT_EQ(files.ResolveFolder(L"Tassefiche", L"C:\\Program Files"),
            L"C:\\Program Files\\Tassefiche");
  EXPECT_THROW(files.ResolveFolder(L"C:\\Program Files\\Tassefiche\\lisezmoi.txt", L""),
               PlatformError);
  EXPECT_THROW(files.ResolveFolder(L"C:\\Absent", L""), PlatformError);
}

TEST_F(MemoryFileSystemTest, KeepsACurrentFolderPerDrive) {
  EXPECT_EQ(files.CurrentDirectory(), L"C:\\");
  files.ChangeDirectory(L"d:\\archives");
  EXPECT_EQ(files.CurrentDirectory(), L"D:\\Archives");
  files.ChangeDirectory(L"C:\\Program Files");
  EXPECT_EQ(files.DriveCurrentDirectory(L'D'), L"D:\\Archives");
  EXPECT_EQ(files.DriveCurrentDirectory(L'c'), L"C:\\Program Files");
  EXPECT_EQ(files.ResolveFolder(L"D:", L"C:\\"), L"D:\\Archives");
}

TEST_F(MemoryFileSystemTest, ADriveThatIsNotReadyCannotBeRead) {
  EXPECT_THAT(files.Drives(),
              ElementsAre(Field(&DriveInfo::letter, L'A'), Field(&DriveInfo::letter, L'C'),
                          Field(&DriveInfo::letter, L'D')));
  EXPECT_FALSE(files.Drives()[0].ready);
  EXPECT_THROW(files.DriveCurrentDirectory(L'A'), PlatformError);
  EXPECT_THROW(files.ListFolder(L"A:\\"), PlatformError);
  EXPECT_THROW(files.ChangeDirectory(L"A:\\"), PlatformError);
  files.AddFolder(L"A:\\DISQUETTE");  // the medium goes in
  files.SetReady(L'A', true);
  EXPECT_EQ(files.DriveCurrentDirectory(L'A'), L"A:\\");
  EXPECT_THAT(files.ListFolder(L"A:\\"), ElementsAre(Field(&DirectoryEntry::name, L"DISQUETTE")));
}

TEST_F(MemoryFileSystemTest, ListsFilesAndFoldersWithTheirAttributes) {
  files.AddFile(L"C:\\Program Files\\Tassefiche\\cache.dat", kAttrHidden | kAttrArchive);
  EXPECT_THAT(files.ListFolder(L"C:\\Program Files\\Tassefiche"),
              UnorderedElementsAre(DirectoryEntry{L"lisezmoi.txt", kAttrArchive},
                                   DirectoryEntry{L"cache.dat", kAttrHidden | kAttrArchive}));
  files.Remove(L"C:\\Program Files\\Tassefiche\\cache.dat");
  EXPECT_EQ(files.ListFolder(L"C:\\Program Files\\Tassefiche").size(), 1U);
}

// As CreateDirectoryW does: the kind of each failure, and the name Windows actually gives.
TEST_F(MemoryFileSystemTest, CreatesFoldersAsWindowsDoes) {
  const std::vector<std::pair<std::wstring, FailureKind>> refused{
      {L"C:\\Program Files", FailureKind::kAlreadyExists},
      {L"C:\\program files\\TASSEFICHE\\LISEZMOI.TXT", FailureKind::kAlreadyExists},
      {L"C:\\PROGRA~1\\..", FailureKind::kAlreadyExists},
      {L"C:\\Absent\\Nouveau", FailureKind::kNotFound},
      {L"C:\\Program Files\\Tassefiche\\lisezmoi.txt\\x", FailureKind::kNotFound},
      {L"A:\\Nouveau", FailureKind::kNotReady},
      {L"C:\\a<b", FailureKind::kInvalidName},
      {L"C:\\nul.txt", FailureKind::kInvalidName},
      {L"C:\\" + std::wstring(256, L'x'), FailureKind::kInvalidName},
      {L"Nouveau", FailureKind::kInvalidName},
  };
  for (const auto& [path, kind] : refused) {
    try {
      files.CreateFolder(path);
      ADD_FAILURE() << "created " << path.size();
    } catch (const PlatformError& failure) {
      EXPECT_EQ(failure.Kind(), kind) << path.size();
      EXPECT_FALSE(failure.Reason().empty());
    }
  }
  files.CreateFolder(L"D:\\Archives\\2007. .");
  files.CreateFolder(L"D:\\" + std::wstring(255, L'x'));
  EXPECT_EQ(files.ResolveFolder(L"D:\\ARCHIVES\\2007", L""), L"D:\\Archives\\2007");
  files.DenyWrites(L"D:\\Archives");
  EXPECT_THROW(files.CreateFolder(L"D:\\Archives\\2008"), PlatformError);
}

TEST_F(MemoryFileSystemTest, FailsOnDemand) {
  files.FailOn(MemoryFileSystem::Operation::kChangeDirectory);
  EXPECT_THROW(files.ChangeDirectory(L"C:\\"), PlatformError);
  files.FailOn(MemoryFileSystem::Operation::kShortPath);
  EXPECT_EQ(files.ShortPath(L"C:\\Program Files"), L"");
  files.FailOn(MemoryFileSystem::Operation::kShortPath, false);
  EXPECT_EQ(files.ShortPath(L"C:\\Program Files"), L"C:\\PROGRA~1");
}

}  // namespace
}  // namespace tassefiche
