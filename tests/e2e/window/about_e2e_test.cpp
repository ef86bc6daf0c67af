// The help, the about window and quitting through the real windows: texts, layout, keyboard,
// tooltips and the hand; and the system-information tool found through the registry of the test
// prefix, or in its system folder.
#include <windows.h>

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <filesystem>
#include <map>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "about_window/frm_about_layout.h"
#include "program_folder.h"
#include "running_program.h"
#include "saved_registry_value.h"

namespace tassefiche::e2e {
namespace {

namespace fs = std::filesystem;

constexpr int kBtcInfo = 3;
constexpr int kCommand1 = 4;
constexpr int kBtcCancel = 5;
constexpr int kCmdOk = 1000;
constexpr int kCmdSysInfo = 1001;
constexpr int kDetails = 1008;
constexpr std::wstring_view kAboutClass = L"Tassefiche.frmAbout";
const std::span<const ControlLayout> kRows = kFrmAboutLayout.controls;

// A control's identifier: 1000 and its tab index, or 2000 and its row for one without.
int IdOf(std::size_t row) {
  const int tab_index = kRows[row].tab_index;
  return tab_index == kNoTabIndex ? 2000 + static_cast<int>(row) : 1000 + tab_index;
}

class AboutTest : public ::testing::Test {
 protected:
  // Opens the about window with "A &propos" and waits for it.
  HWND OpenAbout() const {
    program.Press(program.Control(kCommand1));
    const HWND about = program.WaitForWindow(kAboutClass);
    EXPECT_NE(about, nullptr);
    return about;
  }
  static bool Closed(HWND window) {
    return WaitFor([&] { return IsWindow(window) == FALSE; });
  }

  ProgramFolder folder{Tools::kNone};
  RunningProgram program{folder.Program(), folder.Source()};
};

TEST_F(AboutTest, HelpShowsItsThirteenLinesUnderItsOwnTitle) {
  program.Press(program.Control(kBtcInfo));
  const HWND box = program.WaitForBox(L"Utilitaire de compression / décompression de fichiers");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(RunningProgram::BoxText(box),
            L"Utilitaire de compression : décompression de fichiers de type :\r"
            L"NOMFICHIER.EXT --> NOMFICHIER.EX_\r"
            L"Utilise les fichiers EXPAND.EXE et COMPRESS.EXE du DOS.\r"
            L"\r"
            L"COMPRESSER UN FICHIER :\r"
            L"Choisir le fichier à compresser puis le chemin cible.\r"
            L"Cliquez sur le bonton  < Compresser >\r"
            L"\r"
            L"DECOMPRESSER UN FICHIER :\r"
            L"Choisir le fichier à décompresser puis le dossier cible.\r"
            L"Cliquez sur le bouton < Décompresser >. Affecter un nom au fichier cible\r"
            L"Le nom du fichier cible ne doit pas excéder 12 caractères. (Point et suffixe "
            L"compris).\r");
  RunningProgram::Answer(box, IDOK);
  EXPECT_TRUE(program.NoBoxShows());
}

// A dump of the window's controls against its layout table, at the window's DPI.
TEST_F(AboutTest, ShowsItsControlsWhereTheLayoutPlacesThem) {
  const HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(TextOf(about), L"A propos Tassefiche");
  EXPECT_EQ(GetWindow(about, GW_OWNER), program.Main());
  EXPECT_FALSE(IsWindowEnabled(program.Main()));
  const LONG_PTR style = GetWindowLongPtrW(about, GWL_STYLE);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_NE(GetWindowLongPtrW(about, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0);

  const int dpi = static_cast<int>(GetDpiForWindow(about));
  const auto px = [&](int twips) { return MulDiv(twips, dpi, 1440); };
  RECT client{};
  GetClientRect(about, &client);
  EXPECT_EQ(client.right, px(5730));
  EXPECT_EQ(client.bottom, px(3330));
  RECT window{};
  GetWindowRect(about, &window);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(about, MONITOR_DEFAULTTOPRIMARY), &monitor);
  EXPECT_NEAR((window.left + window.right) / 2, (monitor.rcWork.left + monitor.rcWork.right) / 2,
              2);
  EXPECT_NEAR((window.top + window.bottom) / 2, (monitor.rcWork.top + monitor.rcWork.bottom) / 2,
              2);

  for (std::size_t i = 0; i < kRows.size(); ++i) {
    const ControlLayout& row = kRows[i];
    SCOPED_TRACE(std::string(row.name.begin(), row.name.end()));
    const HWND control = program.ControlOf(about, IdOf(i));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(ClassOf(control), row.kind == ControlKind::kCommandButton ? L"Button" : L"Static");
    if (row.name == L"lblVersion") {
      EXPECT_EQ(TextOf(control), L"Version 1.1.0");
    } else if (row.kind == ControlKind::kLabel || row.kind == ControlKind::kCommandButton) {
      EXPECT_EQ(TextOf(control), row.caption);
    }
    RECT at{};
    GetWindowRect(control, &at);
    MapWindowPoints(nullptr, about, reinterpret_cast<POINT*>(&at), 2);
    if (row.kind == ControlKind::kLine) {
      const int width = MulDiv(row.particulars.line_width, dpi, 96);
      EXPECT_EQ(at.top, px(row.top) - width / 2);
      EXPECT_EQ(at.bottom - at.top, width);
      EXPECT_EQ(at.left, 0);
      EXPECT_EQ(at.right, px(5760));  // past the right edge, where the window clips it
    } else if (row.particulars.auto_size) {
      EXPECT_EQ(at.top, px(row.top));
      EXPECT_NEAR((at.left + at.right) / 2, (px(row.left) + px(row.left + row.width)) / 2, 1);
      EXPECT_GT(at.right - at.left, 0);
    } else {
      EXPECT_EQ(at.left, px(row.left));
      EXPECT_EQ(at.top, px(row.top));
      EXPECT_EQ(at.right, px(row.left + row.width));
      EXPECT_EQ(at.bottom, px(row.top + row.height));
    }
  }
  EXPECT_TRUE(WaitFor([&] { return program.Focus() == program.ControlOf(about, kCmdOk); }));
}

TEST_F(AboutTest, TabVisitsTheThreeButtonsAndOkEscapeAndEnterClose) {
  HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  EXPECT_TRUE(WaitFor([&] { return program.Focus() == program.ControlOf(about, kCmdOk); }));
  for (const int id : {kCmdSysInfo, kDetails, kCmdOk}) {
    program.PostKey(VK_TAB);
    EXPECT_TRUE(WaitFor([&] { return program.Focus() == program.ControlOf(about, id); })) << id;
  }

  // Escape closes it wherever the focus lies; the main window takes input again.
  program.PostKey(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return program.Focus() == program.ControlOf(about, kCmdSysInfo); }));
  program.PostKey(VK_ESCAPE);
  EXPECT_TRUE(Closed(about));
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(program.Main()) != FALSE; }));

  // A second click opens it again; OK closes it.
  about = OpenAbout();
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(TextOf(about), L"A propos Tassefiche");
  program.Press(program.ControlOf(about, kCmdOk));
  EXPECT_TRUE(Closed(about));

  // Enter presses the focused button: "Détails..." shows its box, then Enter on OK closes.
  about = OpenAbout();
  ASSERT_NE(about, nullptr);
  program.PostKey(VK_TAB);
  program.PostKey(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return program.Focus() == program.ControlOf(about, kDetails); }));
  program.PostKey(VK_RETURN);
  const HWND box = program.WaitForBox(L"A propos");
  ASSERT_NE(box, nullptr);
  const std::wstring details = RunningProgram::BoxText(box);
  EXPECT_TRUE(details.starts_with(L"Tassefiche : Version 1.1.0\r\rAuteur : ")) << details;
  EXPECT_TRUE(details.ends_with(L"\r\rLogiciel FREEWARE")) << details;
  RunningProgram::Answer(box, IDOK);
  ASSERT_TRUE(WaitFor([&] { return IsWindow(box) == FALSE; }));
  EXPECT_TRUE(IsWindow(about));
  program.PostKey(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return program.Focus() == program.ControlOf(about, kCmdOk); }));
  program.PostKey(VK_RETURN);
  EXPECT_TRUE(Closed(about));
}

TEST_F(AboutTest, FourTooltipsAndTheHandOverTheThreeLinksOnly) {
  const HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  std::map<int, std::wstring> expected;
  std::set<int> hands;
  for (std::size_t i = 0; i < kRows.size(); ++i) {
    if (!kRows[i].particulars.tool_tip.empty()) expected[IdOf(i)] = kRows[i].particulars.tool_tip;
    if (kRows[i].particulars.hand_cursor) hands.insert(IdOf(i));
  }
  ASSERT_EQ(expected.size(), 4U);
  std::map<int, std::wstring> tips;
  for (const auto& [control, text] : program.ToolTips(about))
    tips[GetDlgCtrlID(control)] = text;
  EXPECT_EQ(tips, expected);

  // The window sets the hand over a control as the mouse moves there; this thread shares the
  // program's input for a moment to see which cursor it set.
  const DWORD thread = GetWindowThreadProcessId(about, nullptr);
  ASSERT_TRUE(AttachThreadInput(GetCurrentThreadId(), thread, TRUE));
  std::map<int, HCURSOR> cursors;
  for (std::size_t i = 0; i < kRows.size(); ++i) {
    SendMessageW(about, WM_SETCURSOR, reinterpret_cast<WPARAM>(program.ControlOf(about, IdOf(i))),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    cursors[IdOf(i)] = GetCursor();
  }
  AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
  const HCURSOR hand = cursors[2009];
  const HCURSOR other = cursors[kCmdOk];
  EXPECT_NE(hand, nullptr);
  EXPECT_NE(hand, other);
  for (const auto& [id, cursor] : cursors)
    EXPECT_EQ(cursor, hands.contains(id) ? hand : other) << id;
}

TEST_F(AboutTest, QuitEndsTheProgramAtOnce) {
  program.Press(program.Control(kBtcCancel));
  EXPECT_TRUE(program.Ended());
}

// The system-information tool.

constexpr const wchar_t* kInfoKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const wchar_t* kLocationKey = L"SOFTWARE\\Microsoft\\Shared Tools Location";

class SysInfoTest : public AboutTest {
 protected:
  // A recorder named as the tool, in a folder with blanks, with a decoy where an unquoted line
  // would look first ("...\Mon Appli\..." would start "...\Mon.exe").
  SysInfoTest() {
    fs::create_directories(tools);
    fs::copy_file(WindowsPath(TASSEFICHE_RECORDER_EXE), tools / L"MSINFO32.EXE");
    fs::copy_file(WindowsPath(TASSEFICHE_RECORDER_EXE), decoy);
  }
  std::wstring Recorded() const {
    return folder.RecordedLine(L"Outils d'information\\MSINFO32.EXE");
  }

  const fs::path tools = folder.App() / L"Outils d'information";
  const fs::path decoy = folder.App().parent_path() / L"Mon.exe";
  SavedRegistryValue path{HKEY_LOCAL_MACHINE, kInfoKey, L"PATH"};
  SavedRegistryValue location{HKEY_LOCAL_MACHINE, kLocationKey, L"MSINFO"};
};

TEST_F(SysInfoTest, StartsTheToolThatTheRegistryNamesByItsFullPath) {
  const std::wstring tool = (tools / L"MSINFO32.EXE").wstring();
  path.SetText(tool);
  location.Remove();
  const HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  program.Press(program.ControlOf(about, kCmdSysInfo));
  EXPECT_EQ(Recorded(), L"\"" + tool + L"\"");
  EXPECT_TRUE(IsWindow(about));

  // Only the tool's folder, in the second value.
  fs::remove(tools / L"MSINFO32.EXE.line");
  path.Remove();
  location.SetText(tools.wstring());
  program.Press(program.ControlOf(about, kCmdSysInfo));
  EXPECT_EQ(Recorded(), L"\"" + tool + L"\"");
  EXPECT_FALSE(fs::exists(decoy.wstring() + L".line"));
  EXPECT_TRUE(program.NoBoxShows());
}

TEST_F(SysInfoTest, AMissingToolIsReportedWithTheApplicationTitle) {
  path.SetText((tools / L"ABSENT.EXE").wstring());
  const HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  program.Press(program.ControlOf(about, kCmdSysInfo));
  const HWND box = program.WaitForBox(L"Tassefiche");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(RunningProgram::BoxText(box), L"Information Systeme introuvable !");
  RunningProgram::Answer(box, IDOK);
  EXPECT_TRUE(program.NoBoxShows());
  EXPECT_FALSE(fs::exists(decoy.wstring() + L".line"));
}

std::set<DWORD> ProcessesNamed(std::wstring_view name) {
  std::set<DWORD> found;
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    if (CompareStringOrdinal(entry.szExeFile, -1, name.data(), static_cast<int>(name.size()),
                             TRUE) == CSTR_EQUAL) {
      found.insert(entry.th32ProcessID);
    }
  }
  CloseHandle(snapshot);
  return found;
}

TEST_F(SysInfoTest, WithoutEitherValueThePrefixsOwnToolStarts) {
  path.Remove();
  location.Remove();
  const std::set<DWORD> before = ProcessesNamed(L"msinfo32.exe");
  const HWND about = OpenAbout();
  ASSERT_NE(about, nullptr);
  program.Press(program.ControlOf(about, kCmdSysInfo));
  DWORD started = 0;
  EXPECT_TRUE(WaitFor([&] {
    for (const DWORD id : ProcessesNamed(L"msinfo32.exe")) {
      if (!before.contains(id)) started = id;
    }
    return started != 0;
  }));
  if (const HANDLE tool = OpenProcess(PROCESS_TERMINATE, FALSE, started)) {
    TerminateProcess(tool, 0);
    CloseHandle(tool);
  }
  EXPECT_TRUE(program.NoBoxShows());
}

}  // namespace
}  // namespace tassefiche::e2e
