#include "platform/drive_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/memory/memory_file_system.h"

namespace tassefiche {
namespace {

using ::testing::ElementsAre;

TEST(DriveList, ShowsEachDriveByItsDesignationOnTheCurrentDrive) {
  MemoryFileSystem files;
  files.AddDrive(L'A', L"", /*ready=*/false);
  files.AddDrive(L'C', L"SYSTEME");
  files.AddDrive(L'D', L"");
  files.ChangeDirectory(L"D:\\");
  DriveList list(L"Lecteur1", files);
  EXPECT_THAT(list.Entries(), ElementsAre(L"a:", L"c: [SYSTEME]", L"d:"));
  EXPECT_EQ(list.Drive(), L"d:");

  int changes = 0;
  list.on_change = [&] { ++changes; };
  list.Pick(1);
  EXPECT_EQ(list.Drive(), L"c: [SYSTEME]");
  list.Pick(1);
  EXPECT_EQ(changes, 1);

  files.AddDrive(L'B', L"DISQUE");
  list.Refresh();
  EXPECT_THAT(list.Entries(), ElementsAre(L"a:", L"b: [DISQUE]", L"c: [SYSTEME]", L"d:"));
  EXPECT_EQ(list.Drive(), L"c: [SYSTEME]");
}

}  // namespace
}  // namespace tassefiche
