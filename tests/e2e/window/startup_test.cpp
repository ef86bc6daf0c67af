// The main window at start-up, as the user meets it: started from its folder, on a folder of files.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "main_window/frm_copy_layout.h"
#include "program_folder.h"
#include "running_program.h"

namespace tassefiche::e2e {
namespace {

std::wstring ExpectedClass(ControlKind kind) {
  switch (kind) {
    case ControlKind::kLabel:
      return L"Static";
    case ControlKind::kTextBox:
      return L"Edit";
    case ControlKind::kDriveList:
      return L"ComboBox";
    case ControlKind::kFolderList:
      return L"ListBox";
    case ControlKind::kFileList:
      return L"SysListView32";
    default:
      return L"Button";
  }
}

class StartupTest : public ::testing::Test {
 protected:
  StartupTest() {
    folder.Write(L"RAPPORT.TXT", "rapport");
    folder.Write(L"archive.tx_", "archive");
    folder.Write(L"rapport annuel.txt", "annuel");
    folder.Write(L"cache.dat", "cache");
    SetFileAttributesW((folder.Source() / L"cache.dat").c_str(), FILE_ATTRIBUTE_HIDDEN);
  }
  ProgramFolder folder{Tools::kRecorder};
};

TEST_F(StartupTest, ShowsEveryControlOfTheLayoutWithItsCaption) {
  const RunningProgram program(folder.Program(), folder.Source());
  EXPECT_EQ(TextOf(program.Main()), L"Utilitaire de compression/décompression de fichiers");
  int found = 0;
  for (const ControlLayout& row : kFrmCopyLayout.controls) {
    const HWND control = program.Control(row.tab_index);
    ASSERT_NE(control, nullptr) << std::wstring(row.name).c_str();
    ++found;
    EXPECT_EQ(ClassOf(control), ExpectedClass(row.kind)) << std::wstring(row.name).c_str();
    const bool captioned = row.kind != ControlKind::kDriveList &&
                           row.kind != ControlKind::kFolderList &&
                           row.kind != ControlKind::kFileList && row.name != L"Label2";
    if (captioned) {
      EXPECT_EQ(TextOf(control), row.caption) << std::wstring(row.name).c_str();
    }
  }
  EXPECT_EQ(found, 32);
  EXPECT_EQ(TextOf(program.Control(0)), L"&Compresser");
  EXPECT_EQ(TextOf(program.Control(1)), L"&Décompresser");
  EXPECT_EQ(TextOf(program.Control(23)), L"Dossier source :");
}

TEST_F(StartupTest, JobButtonsAndTheTargetListStartDisabled) {
  const RunningProgram program(folder.Program(), folder.Source());
  EXPECT_FALSE(IsWindowEnabled(program.Control(0)));   // &Compresser
  EXPECT_FALSE(IsWindowEnabled(program.Control(1)));   // &Décompresser
  EXPECT_TRUE(IsWindowEnabled(program.Control(2)));    // Créer un &dossier
  EXPECT_FALSE(IsWindowEnabled(program.Control(26)));  // Fichier2
  EXPECT_TRUE(IsWindowEnabled(program.Control(18)));   // Fichier1
  // The focus is on the first control of the tab order that can take it.
  GUITHREADINFO gui{};
  gui.cbSize = sizeof gui;
  GetGUIThreadInfo(GetWindowThreadProcessId(program.Main(), nullptr), &gui);
  EXPECT_EQ(gui.hwndFocus, program.Control(2));
}

TEST_F(StartupTest, CountLineAndListsShowTheFolderOfTheStart) {
  const RunningProgram program(folder.Program(), folder.Source());
  EXPECT_EQ(TextOf(program.Control(31)), L" 3 Fichiers");  // the hidden file is not shown
  const HWND source = program.Control(18);
  ASSERT_EQ(program.FileCount(source), 3);
  EXPECT_EQ(program.FileEntry(source, 0), L"archive.tx_");
  EXPECT_EQ(program.FileEntry(source, 1), L"rapport annuel.txt");
  EXPECT_EQ(program.FileEntry(source, 2), L"RAPPORT.TXT");
  EXPECT_EQ(program.FileCount(program.Control(26)), 4);  // the target list shows hidden files
}

TEST_F(StartupTest, SetsTheSevenTooltips) {
  const RunningProgram program(folder.Program(), folder.Source());
  const std::map<HWND, std::wstring> tips = program.ToolTips();
  const std::map<int, std::wstring> expected = {{2, L"Crée un dossier à partir du chemin cible"},
                                                {4, L"A propos"},
                                                {0, L"Compression d'un fichier"},
                                                {1, L"Décompression d'un fichier"},
                                                {6, L"Choix du filtre d'affichage des fichiers"},
                                                {3, L"Aide sur l'utilisation"},
                                                {5, L"Quitter le programme"}};
  EXPECT_EQ(tips.size(), expected.size());
  for (const auto& [tab_index, text] : expected) {
    const auto found = tips.find(program.Control(tab_index));
    ASSERT_NE(found, tips.end()) << tab_index;
    EXPECT_EQ(found->second, text);
  }
}

TEST_F(StartupTest, WindowIsSizedInTwipsCentredResizableWithoutMaximize) {
  const RunningProgram program(folder.Program(), folder.Source());
  const LONG_PTR style = GetWindowLongPtrW(program.Main(), GWL_STYLE);
  EXPECT_NE(style & WS_MINIMIZEBOX, 0);
  EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
  EXPECT_NE(style & WS_THICKFRAME, 0);
  const int dpi = static_cast<int>(GetDpiForWindow(program.Main()));
  RECT client{};
  GetClientRect(program.Main(), &client);
  EXPECT_EQ(client.right, MulDiv(7710, dpi, 1440));
  EXPECT_EQ(client.bottom, MulDiv(6540, dpi, 1440));
  RECT window{};
  GetWindowRect(program.Main(), &window);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(program.Main(), MONITOR_DEFAULTTOPRIMARY), &monitor);
  EXPECT_NEAR((window.left + window.right) / 2, (monitor.rcWork.left + monitor.rcWork.right) / 2,
              2);
  EXPECT_NEAR((window.top + window.bottom) / 2, (monitor.rcWork.top + monitor.rcWork.bottom) / 2,
              2);
}

// TargetDir is what the compression line ends with: the short form of the folder the target pane
// shows from start-up on.
TEST_F(StartupTest, TargetDirIsTheShortFormOfTheTargetFolder) {
  const RunningProgram program(folder.Program(), folder.Source());
  ASSERT_TRUE(program.SelectFile(program.Control(18), L"RAPPORT.TXT"));
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(program.Control(0)) != FALSE; }));
  program.Press(program.Control(0));
  const std::wstring line = folder.RecordedLine(L"COMPRESS.EXE");
  const std::wstring target = ShortForm(folder.Source());
  ASSERT_EQ(target.find(L' '), std::wstring::npos);
  EXPECT_TRUE(line.ends_with(L" " + Upper(target))) << line;
}

}  // namespace
}  // namespace tassefiche::e2e
