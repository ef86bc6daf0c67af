// The main window at start-up: its layout table, the initial states the handlers rely on, the load
// handler and the file-count line.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "frm_copy_fixture.h"
#include "main_window/frm_copy_layout.h"

namespace tassefiche {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;
using ::testing::UnorderedElementsAre;

TEST(FrmCopyLayout, HasThirtyTwoControlsWithUniqueNamesAndTabIndexes) {
  const FormLayout& layout = kFrmCopyLayout;
  EXPECT_EQ(layout.caption, L"Utilitaire de compression/décompression de fichiers");
  EXPECT_EQ(layout.client_width, 7710);
  EXPECT_EQ(layout.client_height, 6540);
  ASSERT_EQ(layout.controls.size(), 32U);
  std::set<std::wstring_view> names;
  std::set<int> tabs;
  std::set<std::wstring_view> frames;
  for (const ControlLayout& row : layout.controls) {
    names.insert(row.name);
    tabs.insert(row.tab_index);
    if (row.kind == ControlKind::kFrame) frames.insert(row.name);
  }
  EXPECT_EQ(names.size(), 32U);
  EXPECT_EQ(tabs.size(), 32U);
  EXPECT_EQ(*tabs.begin(), 0);
  EXPECT_EQ(*tabs.rbegin(), 31);
  for (const ControlLayout& row : layout.controls) {
    EXPECT_TRUE(row.container.empty() || frames.contains(row.container)) << row.name.data();
  }
}

TEST_F(FrmCopyTest, StartsWithTheInitialStatesOfTheLayout) {
  const FrmCopy& w = Start();
  EXPECT_FALSE(w.BtCompres.Enabled());
  EXPECT_FALSE(w.BtDecomp.Enabled());
  EXPECT_TRUE(w.Commande1.Enabled());
  EXPECT_FALSE(w.Fichier2.Enabled());
  EXPECT_EQ(w.Text1.Text(), L"*.*");
  EXPECT_TRUE(w.Option1.Value());
  EXPECT_FALSE(w.Option2.Value());
  EXPECT_EQ(w.Check1.Value(), CheckBox::kChecked);
  EXPECT_EQ(w.Check2.Value(), CheckBox::kUnchecked);
  EXPECT_EQ(w.Check4.Caption(), L"Lecture");
  EXPECT_EQ(w.BtDecomp.Caption(), L"&Décompresser");
  EXPECT_EQ(w.Commande1.Caption(), L"Créer un &dossier");
  EXPECT_FALSE(w.Fichier1.Switches().hidden);
  EXPECT_TRUE(w.Fichier2.Switches().hidden);
  EXPECT_TRUE(w.Fichier2.Switches().system);
  EXPECT_TRUE(w.Fichier2.Switches().read_only);
  // Every list starts on the process's current drive and folder.
  EXPECT_EQ(w.Lecteur1.Drive(), L"c: [SYSTEME]");
  EXPECT_EQ(w.Repertoire2.Path(), L"C:\\DONNEES");
  EXPECT_EQ(w.Fichier1.Path(), L"C:\\DONNEES");
  EXPECT_EQ(w.Fichier2.ListCount(), 5U);
}

TEST_F(FrmCopyTest, OptionButtonsOfOneFrameAreOneGroup) {
  FrmCopy& w = Start();
  w.Option3.Select();
  EXPECT_FALSE(w.Option1.Value());
  EXPECT_TRUE(w.Option3.Value());
}

TEST_F(FrmCopyTest, LoadRecordsTheJobPathsSetsTheTooltipsAndCounts) {
  platform.files.AddFolder(L"C:\\DONNEES\\Tres long nom de dossier");
  platform.files.ChangeDirectory(L"C:\\DONNEES\\Tres long nom de dossier");
  FrmCopy& w = Start();
  EXPECT_EQ(module1.AppPath, L"C:\\Outils\\Compression");
  EXPECT_EQ(module1.TargetDir, L"C:\\DONNEES\\TRESLO~1");
  EXPECT_EQ(module1.SourceFile, L"");
  EXPECT_EQ(w.Label2.Caption(), L" 0 Fichiers");

  std::vector<std::pair<std::wstring, std::wstring>> tips;
  for (const Control* control : w.Controls()) {
    if (!control->ToolTipText().empty()) tips.emplace_back(control->Name(), control->ToolTipText());
  }
  EXPECT_THAT(tips,
              UnorderedElementsAre(Pair(L"Commande1", L"Crée un dossier à partir du chemin cible"),
                                   Pair(L"Command1", L"A propos"),
                                   Pair(L"BtCompres", L"Compression d'un fichier"),
                                   Pair(L"BtDecomp", L"Décompression d'un fichier"),
                                   Pair(L"Text1", L"Choix du filtre d'affichage des fichiers"),
                                   Pair(L"btcInfo", L"Aide sur l'utilisation"),
                                   Pair(L"btcCancel", L"Quitter le programme")));
}

TEST_F(FrmCopyTest, TargetDirOfADriveRootIsTheRoot) {
  platform.files.ChangeDirectory(L"D:\\");
  Start();
  EXPECT_EQ(module1.TargetDir, L"D:\\");
}

// The first step really fails (it raises): every step after it must still run.
TEST_F(FrmCopyTest, LoadSkipsAFailingStepAndRunsTheOthers) {
  platform.application.fail = true;
  FrmCopy& w = Start();
  EXPECT_EQ(module1.AppPath, L"");
  EXPECT_EQ(module1.TargetDir, L"C:\\DONNEES");
  EXPECT_EQ(w.btcCancel.ToolTipText(), L"Quitter le programme");
  EXPECT_EQ(w.Label2.Caption(), L" 4 Fichiers");
}

TEST_F(FrmCopyTest, CountLineCountsOnlyWhatTheSourceListShows) {
  FrmCopy& w = Start();
  // Four of the five files: the hidden one is not shown by the source list.
  EXPECT_EQ(w.Label2.Caption(), L" 4 Fichiers");
  w.Fichier1.SetPattern(L"*.TX?");
  w.UpdateFileCount();
  EXPECT_EQ(w.Label2.Caption(), L" 3 Fichiers");
  w.Fichier1.SetPattern(L"RAPPORT.TXT");
  w.UpdateFileCount();
  EXPECT_EQ(w.Label2.Caption(), L" 1 Fichiers");
}

TEST_F(FrmCopyTest, CountLineShowsEveryEntryOfAHugeFolder) {
  platform.files.AddFolder(L"D:\\ENORME");
  for (int i = 0; i < 40'000; ++i)
    platform.files.AddFile(L"D:\\ENORME\\F" + std::to_wstring(i));
  platform.files.ChangeDirectory(L"D:\\ENORME");
  FrmCopy& w = Start();
  EXPECT_EQ(w.Label2.Caption(), L" 40000 Fichiers");
}

TEST_F(FrmCopyTest, ClickOnTheSurfaceRereadsBothListsButNotTheCountLine) {
  FrmCopy& w = Start();
  platform.files.AddFile(L"C:\\DONNEES\\nouveau.txt");
  w.Click();
  EXPECT_EQ(w.Fichier1.ListCount(), 5U);
  EXPECT_EQ(w.Fichier2.ListCount(), 6U);
  EXPECT_EQ(w.Label2.Caption(), L" 4 Fichiers");
}

}  // namespace
}  // namespace tassefiche
