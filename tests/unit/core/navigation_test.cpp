// The two panes over the in-memory platform: drive and folder changes, the drive failure box with
// its retry loop, and the clicks in the folder lists.
#include <gtest/gtest.h>

#include <string>

#include "frm_copy_fixture.h"

namespace tassefiche {
namespace {

class NavigationTest : public FrmCopyTest {
 protected:
  NavigationTest() {
    platform.files.AddDrive(L'A', L"", /*ready=*/false);
    platform.files.AddFile(L"D:\\ARCHIVES\\VIEUX.TX_");
    platform.files.AddFile(L"D:\\LISEZMOI.TXT");
  }

  // The user picks a drive in a drive list by its letter.
  static void PickDrive(DriveList& list, wchar_t letter) {
    for (std::size_t i = 0; i < list.Entries().size(); ++i) {
      if (list.Entries()[i][0] == letter) return list.Pick(i);
    }
    FAIL() << "no such drive";
  }

  // Both job buttons armed, as after clicks in the source list.
  void ArmBoth(FrmCopy& w) const {
    w.BtCompres.SetEnabled(true);
    w.BtDecomp.SetEnabled(true);
  }
};

TEST_F(NavigationTest, ASourceDriveChangeMovesThePaneAndDisarmsBothButtons) {
  FrmCopy& w = Start();
  ArmBoth(w);
  PickDrive(w.Lecteur1, L'd');
  EXPECT_EQ(w.Repertoire1.Path(), L"D:\\");
  EXPECT_EQ(w.Fichier1.Path(), L"D:\\");
  EXPECT_EQ(w.Label2.Caption(), L" 1 Fichiers");
  EXPECT_FALSE(w.BtCompres.Enabled());
  EXPECT_FALSE(w.BtDecomp.Enabled());
  // The target pane is independent.
  EXPECT_EQ(w.Repertoire2.Path(), L"C:\\DONNEES");
  EXPECT_EQ(module1.TargetDir, L"C:\\DONNEES");
  EXPECT_TRUE(platform.dialogs.messages.empty());
}

TEST_F(NavigationTest, ATargetFolderChangeRecordsTheTargetAndTouchesNothingElse) {
  FrmCopy& w = Start();
  ArmBoth(w);
  PickDrive(w.Lecteur2, L'd');
  EXPECT_EQ(module1.TargetDir, L"D:\\");
  w.Repertoire2.SetPath(L"ARCHIVES");
  EXPECT_EQ(module1.TargetDir, L"D:\\ARCHIVES");
  EXPECT_EQ(w.Fichier2.Path(), L"D:\\ARCHIVES");
  EXPECT_EQ(w.Fichier2.List(0), L"VIEUX.TX_");
  EXPECT_TRUE(w.BtCompres.Enabled());
  EXPECT_TRUE(w.BtDecomp.Enabled());
  EXPECT_EQ(w.Label2.Caption(), L" 4 Fichiers");
  EXPECT_EQ(w.Repertoire1.Path(), L"C:\\DONNEES");
}

TEST_F(NavigationTest, OpeningASourceFolderDisarmsAndCountsTheNewFolder) {
  platform.files.AddFile(L"C:\\DONNEES\\Sous dossier\\a.txt");
  FrmCopy& w = Start();
  ArmBoth(w);
  const std::wstring source = module1.SourceFile = L"C:\\DONNEES\\RAPPORT.TXT";
  w.Repertoire1.Open(w.Repertoire1.Entries().size() - 1);
  EXPECT_EQ(w.Fichier1.Path(), L"C:\\DONNEES\\Sous dossier");
  EXPECT_EQ(w.Label2.Caption(), L" 1 Fichiers");
  EXPECT_FALSE(w.BtCompres.Enabled());
  EXPECT_FALSE(w.BtDecomp.Enabled());
  EXPECT_EQ(module1.SourceFile, source);  // not cleared
}

// Drive failure: Retry runs the failed step again as often as asked; the medium goes in while the
// second box shows.
TEST_F(NavigationTest, ADriveThatIsNotReadyIsRetriedUntilItIs) {
  FrmCopy& w = Start();
  ArmBoth(w);
  platform.dialogs.message_answers = {MsgBoxResult::kRetry, MsgBoxResult::kRetry};
  platform.dialogs.while_message_shows = [&](const MemoryDialogs::MessageShown&) {
    if (platform.dialogs.messages.size() == 2) {
      platform.files.AddFile(L"A:\\DISQUETTE.TXT");
      platform.files.SetReady(L'A', true);
    }
  };
  PickDrive(w.Lecteur1, L'a');
  ASSERT_EQ(platform.dialogs.messages.size(), 2U);
  for (const auto& shown : platform.dialogs.messages) {
    EXPECT_EQ(shown.text, L"Lecteur non disponible ou non prêt !");
    EXPECT_EQ(shown.title, L"Erreur");
    EXPECT_EQ(shown.style, 37);
  }
  EXPECT_EQ(w.Repertoire1.Path(), L"A:\\");
  EXPECT_EQ(w.Fichier1.List(0), L"DISQUETTE.TXT");
  EXPECT_EQ(w.Label2.Caption(), L" 1 Fichiers");
  EXPECT_FALSE(w.BtCompres.Enabled());
}

TEST_F(NavigationTest, CancelKeepsThePaneAsItWasAndReadsTheDrivesAgain) {
  FrmCopy& w = Start();
  ArmBoth(w);
  platform.dialogs.message_answers = {MsgBoxResult::kRetry, MsgBoxResult::kCancel};
  platform.files.AddDrive(L'E', L"CLE");  // appears while the user hesitates
  PickDrive(w.Lecteur2, L'a');
  EXPECT_EQ(platform.dialogs.messages.size(), 2U);
  EXPECT_EQ(w.Repertoire2.Path(), L"C:\\DONNEES");
  EXPECT_EQ(w.Fichier2.Path(), L"C:\\DONNEES");
  EXPECT_EQ(w.Fichier2.ListCount(), 5U);
  EXPECT_EQ(module1.TargetDir, L"C:\\DONNEES");
  EXPECT_TRUE(w.BtCompres.Enabled());
  EXPECT_EQ(w.Label2.Caption(), L" 4 Fichiers");
  EXPECT_EQ(w.Lecteur2.Entries().back(), L"e: [CLE]");
}

// The drive's current folder is the one shown: no folder handler runs, the folder list is still
// read again.
TEST_F(NavigationTest, ADriveChangeThatKeepsThePathRunsNoFolderHandler) {
  FrmCopy& w = Start();
  ArmBoth(w);
  platform.files.AddFile(L"C:\\DONNEES\\nouveau.txt");
  platform.files.AddFolder(L"C:\\DONNEES\\Nouveau dossier");
  w.Lecteur1_Change();
  EXPECT_TRUE(w.BtCompres.Enabled());
  EXPECT_EQ(w.Label2.Caption(), L" 4 Fichiers");
  EXPECT_EQ(w.Fichier1.ListCount(), 4U);
  EXPECT_EQ(w.Repertoire1.ListCount(), 1U);
}

// Skip-and-continue: the file list cannot take the new path, yet it is read again, the buttons are
// disarmed and the count line written; and nothing of it reaches the drive handler.
TEST_F(NavigationTest, AFolderHandlerSkipsAFailingStepAndRunsTheOthers) {
  FrmCopy& w = Start();
  ArmBoth(w);
  platform.files.AddFile(L"C:\\DONNEES\\nouveau.txt");
  platform.files.FailOn(MemoryFileSystem::Operation::kResolveFolder);
  PickDrive(w.Lecteur1, L'd');
  EXPECT_EQ(w.Repertoire1.Path(), L"D:\\");
  EXPECT_EQ(w.Fichier1.Path(), L"C:\\DONNEES");
  EXPECT_EQ(w.Fichier1.ListCount(), 5U);
  EXPECT_FALSE(w.BtCompres.Enabled());
  EXPECT_FALSE(w.BtDecomp.Enabled());
  EXPECT_EQ(w.Label2.Caption(), L" 5 Fichiers");
  EXPECT_TRUE(platform.dialogs.messages.empty());
}

TEST_F(NavigationTest, AClickInAFolderListRereadsItsFileListOnly) {
  FrmCopy& w = Start();
  ArmBoth(w);
  platform.files.AddFile(L"C:\\DONNEES\\nouveau.txt");
  platform.files.AddFolder(L"C:\\DONNEES\\Autre");
  w.Repertoire1.Click(0);  // the drive root: highlighted, not opened
  EXPECT_EQ(w.Fichier1.Path(), L"C:\\DONNEES");
  EXPECT_EQ(w.Fichier1.ListCount(), 5U);
  EXPECT_EQ(w.Label2.Caption(), L" 4 Fichiers");
  EXPECT_TRUE(w.BtCompres.Enabled());
  EXPECT_EQ(w.Fichier2.ListCount(), 5U);
  w.Repertoire2.Click(0);
  EXPECT_EQ(w.Fichier2.ListCount(), 6U);
  EXPECT_EQ(module1.TargetDir, L"C:\\DONNEES");
}

}  // namespace
}  // namespace tassefiche
