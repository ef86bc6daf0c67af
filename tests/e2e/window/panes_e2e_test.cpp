// The two panes through the real window, driven by real mouse clicks and key strokes: navigation
// by double-click and by keyboard, a drive that is not ready, the filter box, the option buttons,
// the check boxes and folder creation; and all of it past MAX_PATH.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "main_window_controls.h"
#include "program_folder.h"
#include "running_program.h"

namespace tassefiche::e2e {
namespace {

namespace fs = std::filesystem;

bool Enabled(const RunningProgram& program, int tab_index) {
  return IsWindowEnabled(program.Control(tab_index)) != FALSE;
}

bool Checked(const RunningProgram& program, int tab_index) {
  return SendMessageW(program.Control(tab_index), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool CountLineReads(const RunningProgram& program, std::wstring_view text) {
  return WaitFor([&] { return TextOf(program.Control(kLabel2)) == text; });
}

void Touch(const fs::path& file) {
  CloseHandle(CreateFileW((L"\\\\?\\" + file.wstring()).c_str(), GENERIC_WRITE, 0, nullptr,
                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Opens the last sub-folder of a folder list as a keyboard user does: a click on the first entry
// in view gives the list the focus, End highlights the last entry, Enter opens it.
void OpenLastEntryByKeyboard(const RunningProgram& program, int folder_list) {
  const HWND list = program.Control(folder_list);
  const auto top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
  program.ClickAt(list, RunningProgram::ListBoxEntry(list, top));
  RunningProgram::Key(VK_END);
  RunningProgram::Key(VK_RETURN);
}

TEST(PanesThroughTheWindow, ADoubleClickOpensAFolderWhoseEntriesReadFromOutside) {
  const ProgramFolder folder(Tools::kRecorder);
  folder.Write(L"RAPPORT.TXT", "rapport");
  fs::create_directories(folder.Source() / L"Sous dossier" / L"Plus bas");
  Touch(folder.Source() / L"Sous dossier" / L"un.txt");
  Touch(folder.Source() / L"Sous dossier" / L"deux.tx_");
  const RunningProgram program(folder.Program(), folder.Source());
  ASSERT_TRUE(program.SelectFile(program.Control(kFichier1), L"RAPPORT.TXT"));
  ASSERT_TRUE(WaitFor([&] { return Enabled(program, kBtCompres); }));

  const HWND tree = program.Control(kRepertoire1);
  std::vector<std::wstring> entries = RunningProgram::ListBoxTexts(tree);
  ASSERT_GE(entries.size(), 3U);
  EXPECT_EQ(entries.front(), folder.Source().wstring().substr(0, 3));
  EXPECT_EQ(entries[entries.size() - 2], folder.Source().filename().wstring());
  EXPECT_EQ(entries.back(), L"Sous dossier");
  const std::vector<std::wstring> drives =
      RunningProgram::ComboBoxTexts(program.Control(kLecteur1));
  EXPECT_NE(std::find(drives.begin(), drives.end(), L"c:"), drives.end());

  program.ClickAt(tree, RunningProgram::ListBoxEntry(tree, static_cast<int>(entries.size()) - 1),
                  2);
  ASSERT_TRUE(CountLineReads(program, L" 2 Fichiers"));
  EXPECT_EQ(program.FileEntry(program.Control(kFichier1), 0), L"deux.tx_");
  EXPECT_FALSE(Enabled(program, kBtCompres));
  EXPECT_FALSE(Enabled(program, kBtDecomp));
  entries = RunningProgram::ListBoxTexts(tree);
  EXPECT_EQ(entries[entries.size() - 2], L"Sous dossier");
  EXPECT_EQ(entries.back(), L"Plus bas");
  // The target pane did not move.
  EXPECT_EQ(program.FileCount(program.Control(kFichier2)), 1);
}

TEST(PanesThroughTheWindow, TypingAPatternNarrowsBothListsAtEveryKeystroke) {
  const ProgramFolder folder(Tools::kRecorder);
  for (const wchar_t* name : {L"RAPPORT.TXT", L"RAPPORT.TX_", L"notes.doc", L"outil.exe"}) {
    folder.Write(name, "x");
  }
  const RunningProgram program(folder.Program(), folder.Source());
  const HWND box = program.Control(kText1);
  program.Click(box);
  RunningProgram::Key(VK_END);
  for (int i = 0; i < 3; ++i)
    RunningProgram::Key(VK_BACK);
  RunningProgram::Type(L"*.tx");
  ASSERT_TRUE(CountLineReads(program, L" 0 Fichiers"));
  RunningProgram::Type(L"?");
  ASSERT_TRUE(CountLineReads(program, L" 2 Fichiers"));
  EXPECT_EQ(program.FileCount(program.Control(kFichier2)), 2);
  RunningProgram::Key(VK_BACK);
  RunningProgram::Type(L"_");
  ASSERT_TRUE(CountLineReads(program, L" 1 Fichiers"));
  EXPECT_EQ(program.FileEntry(program.Control(kFichier2), 0), L"RAPPORT.TX_");

  // A character that no file name holds: the box, then "*.*" everywhere.
  RunningProgram::Type(L"|");
  const HWND error = program.WaitForBox(L"Erreur");
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(RunningProgram::BoxText(error), L"Filtre incorrect !");
  RunningProgram::Key(VK_RETURN);
  EXPECT_TRUE(program.NoBoxShows());
  EXPECT_EQ(TextOf(box), L"*.*");
  EXPECT_TRUE(CountLineReads(program, L" 4 Fichiers"));
  EXPECT_EQ(program.FileCount(program.Control(kFichier2)), 4);
  EXPECT_TRUE(Checked(program, kOption1));
}

TEST(PanesThroughTheWindow, OptionButtonsAndCheckBoxesFilterBothLists) {
  const ProgramFolder folder(Tools::kRecorder);
  for (const wchar_t* name : {L"RAPPORT.TXT", L"RAPPORT.TX_", L"outil.exe", L"cache.dat"}) {
    folder.Write(name, "x");
  }
  SetFileAttributesW((folder.Source() / L"cache.dat").c_str(),
                     FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  const RunningProgram program(folder.Program(), folder.Source());
  ASSERT_TRUE(CountLineReads(program, L" 3 Fichiers"));
  const struct {
    int option;
    std::wstring_view pattern;
    std::wstring_view count;
  } presets[] = {{kOption2, L"*.??_", L" 1 Fichiers"},
                 {kOption3, L"*.exe", L" 1 Fichiers"},
                 {kOption1, L"*.*", L" 3 Fichiers"}};
  for (const auto& preset : presets) {
    program.Click(program.Control(preset.option));
    EXPECT_TRUE(CountLineReads(program, preset.count)) << preset.option;
    EXPECT_EQ(TextOf(program.Control(kText1)), preset.pattern);
    EXPECT_TRUE(Checked(program, preset.option));
  }
  program.Click(program.Control(kCheck2));  // "Caché"
  EXPECT_TRUE(CountLineReads(program, L" 4 Fichiers"));
  EXPECT_TRUE(Checked(program, kCheck2));
  EXPECT_EQ(program.FileCount(program.Control(kFichier2)), 4);
  program.Click(program.Control(kCheck2));
  EXPECT_TRUE(CountLineReads(program, L" 3 Fichiers"));
  EXPECT_EQ(program.FileCount(program.Control(kFichier2)), 3);
}

// The prefix's drive Q: leads to a folder that is not there until the user "inserts the medium".
class DriveNotReady : public ::testing::Test {
 protected:
  DriveNotReady() { fs::remove_all(medium_); }
  ~DriveNotReady() override { fs::remove_all(medium_); }

  // Picks Q: in a drive list from the keyboard: a click gives it the focus (and opens it), Escape
  // closes it, the letter picks the drive.
  static void PickQ(const RunningProgram& program, int drive_list) {
    program.Click(program.Control(drive_list));
    RunningProgram::Key(VK_ESCAPE);
    RunningProgram::Type(L"q");
  }

  static HWND WaitForTheDriveBox(const RunningProgram& program) {
    const HWND box = program.WaitForBox(L"Erreur");
    if (box != nullptr) {
      EXPECT_EQ(RunningProgram::BoxText(box), L"Lecteur non disponible ou non prêt !");
    }
    return box;
  }

  const fs::path medium_ = WindowsPath(TASSEFICHE_DRIVE_Q_FOLDER);
};

TEST_F(DriveNotReady, RetryAfterTheMediumIsInMovesTheTargetPane) {
  const ProgramFolder folder(Tools::kRecorder);
  folder.Write(L"RAPPORT.TXT", "x");
  const RunningProgram program(folder.Program(), folder.Source());
  PickQ(program, kLecteur2);
  ASSERT_NE(WaitForTheDriveBox(program), nullptr);
  RunningProgram::Key(VK_RETURN);  // Retry, without the medium: asked again
  ASSERT_NE(WaitForTheDriveBox(program), nullptr);
  fs::create_directories(medium_ / L"Disquette");
  std::ofstream(medium_ / L"LISEZMOI.TXT") << "x";
  RunningProgram::Key(VK_RETURN);
  EXPECT_TRUE(program.NoBoxShows());
  const std::vector<std::wstring> entries =
      RunningProgram::ListBoxTexts(program.Control(kRepertoire2));
  ASSERT_EQ(entries.size(), 2U);
  EXPECT_EQ(entries[0], L"Q:\\");
  EXPECT_EQ(entries[1], L"Disquette");
  EXPECT_EQ(program.FileEntry(program.Control(kFichier2), 0), L"LISEZMOI.TXT");
  EXPECT_TRUE(CountLineReads(program, L" 1 Fichiers"));  // the source pane's
}

TEST_F(DriveNotReady, CancelLeavesTheSourcePaneAsItWas) {
  const ProgramFolder folder(Tools::kRecorder);
  folder.Write(L"RAPPORT.TXT", "x");
  const RunningProgram program(folder.Program(), folder.Source());
  ASSERT_TRUE(program.SelectFile(program.Control(kFichier1), L"RAPPORT.TXT"));
  ASSERT_TRUE(WaitFor([&] { return Enabled(program, kBtCompres); }));
  const std::vector<std::wstring> before =
      RunningProgram::ListBoxTexts(program.Control(kRepertoire1));
  PickQ(program, kLecteur1);
  ASSERT_NE(WaitForTheDriveBox(program), nullptr);
  RunningProgram::Key(VK_ESCAPE);  // Cancel
  EXPECT_TRUE(program.NoBoxShows());
  EXPECT_EQ(RunningProgram::ListBoxTexts(program.Control(kRepertoire1)), before);
  EXPECT_EQ(program.FileEntry(program.Control(kFichier1), 0), L"RAPPORT.TXT");
  EXPECT_EQ(TextOf(program.Control(kLabel2)), L" 1 Fichiers");
  EXPECT_TRUE(Enabled(program, kBtCompres));
}

TEST(PanesThroughTheWindow, ANewFolderShowsInTheTargetListAfterARefusedName) {
  const ProgramFolder folder(Tools::kRecorder);
  const RunningProgram program(folder.Program(), folder.Source());
  program.Click(program.Control(kCommande1));
  HWND ask = program.WaitForBox(L"Création d'un dossier");
  ASSERT_NE(ask, nullptr);
  EXPECT_EQ(RunningProgram::BoxText(ask), L"Nom du dossier à créer");
  RunningProgram::Type(L"a-b");
  RunningProgram::Key(VK_RETURN);
  const HWND refused = program.WaitForBox(L"Erreur");
  ASSERT_NE(refused, nullptr);
  EXPECT_EQ(RunningProgram::BoxText(refused),
            L"Nom de répertoire non valable !\r    Caractère interdit.");
  RunningProgram::Key(VK_RETURN);
  ASSERT_TRUE(WaitFor([&] {
    ask = program.WaitForBox(L"Création d'un dossier");
    return ask != nullptr && IsWindowVisible(ask);
  }));
  EXPECT_EQ(TextOf(FindWindowExW(ask, nullptr, L"Edit", nullptr)), L"Nouveau dossier");
  RunningProgram::Type(L"Projet Ωμέγα");
  RunningProgram::Key(VK_RETURN);
  // Without a window manager, Wine takes a while to take a closed box off the screen.
  EXPECT_TRUE(WaitFor([&] { return fs::is_directory(folder.Source() / L"Projet Ωμέγα"); }));
  EXPECT_TRUE(program.NoBoxShows());
  for (const int list : {kRepertoire1, kRepertoire2}) {
    EXPECT_EQ(RunningProgram::ListBoxTexts(program.Control(list)).back(), L"Projet Ωμέγα");
  }

  // The same name again: taken.
  program.Click(program.Control(kCommande1));
  ASSERT_NE(program.WaitForBox(L"Création d'un dossier"), nullptr);
  RunningProgram::Type(L"projet ΩΜΈΓΑ");
  RunningProgram::Key(VK_RETURN);
  const HWND taken = program.WaitForBox(L"Erreur");
  ASSERT_NE(taken, nullptr);
  EXPECT_EQ(RunningProgram::BoxText(taken), L"Le répertoire existe déja");
  RunningProgram::Key(VK_RETURN);
  EXPECT_TRUE(program.NoBoxShows());
}

// Both panes go past MAX_PATH from the keyboard, a folder is made there, and a compression and an
// expansion with the real tools work there.
TEST(PanesThroughTheWindow, EverythingWorksPastMaxPath) {
  const ProgramFolder folder(Tools::kReal);
  fs::path start = folder.Source();
  while (start.wstring().size() < 200)
    start /= L"Un dossier assez long";
  const fs::path deep =
      start / L"Niveau suivant de la hiérarchie" / L"Et encore un niveau plus bas";
  ASSERT_GT(deep.wstring().size(), 260U);
  fs::create_directories(L"\\\\?\\" + deep.wstring());
  std::ofstream(fs::path(L"\\\\?\\" + (deep / L"RAPPORT.TXT").wstring())) << std::string(5000, 'r');
  const RunningProgram program(folder.Program(), start);
  for (const int list : {kRepertoire1, kRepertoire2}) {
    OpenLastEntryByKeyboard(program, list);
    OpenLastEntryByKeyboard(program, list);
  }
  ASSERT_TRUE(CountLineReads(program, L" 1 Fichiers"));
  EXPECT_EQ(RunningProgram::ListBoxTexts(program.Control(kRepertoire2)).back(),
            L"Et encore un niveau plus bas");

  program.Click(program.Control(kCommande1));
  ASSERT_NE(program.WaitForBox(L"Création d'un dossier"), nullptr);
  RunningProgram::Key(VK_RETURN);  // the default name
  EXPECT_TRUE(WaitFor(
      [&] { return fs::is_directory(L"\\\\?\\" + (deep / L"Nouveau dossier").wstring()); }));
  EXPECT_TRUE(program.NoBoxShows());

  ASSERT_TRUE(program.SelectFile(program.Control(kFichier1), L"RAPPORT.TXT"));
  ASSERT_TRUE(WaitFor([&] { return Enabled(program, kBtCompres); }));
  program.Click(program.Control(kBtCompres));
  EXPECT_TRUE(WaitFor([&] { return fs::exists(L"\\\\?\\" + (deep / L"RAPPORT.TX_").wstring()); }));
  EXPECT_TRUE(program.NoBoxShows());
}

}  // namespace
}  // namespace tassefiche::e2e
