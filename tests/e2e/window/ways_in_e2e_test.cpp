// The ways in from outside through the real program: started with a path on its command line, and
// files dragged onto its window from another process; a path that cannot be opened and its box; a
// drop refused while a box is open; and the pointer over the window while a tool works, read from
// outside.
#include <windows.h>

#include <ole2.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "drag_files.h"
#include "main_window_controls.h"
#include "pointer_probe.h"
#include "program_folder.h"
#include "running_program.h"

namespace tassefiche::e2e {
namespace {

namespace fs = std::filesystem;

constexpr DWORD kArrow = 32512;           // the platform's IDC_ARROW
constexpr DWORD kArrowHourglass = 32650;  // IDC_APPSTARTING

bool Enabled(const RunningProgram& program, int tab_index) {
  return IsWindowEnabled(program.Control(tab_index)) != FALSE;
}

// Writes a file at any depth.
void WriteFile(const fs::path& file, std::string_view bytes) {
  fs::create_directories(L"\\\\?\\" + file.parent_path().wstring());
  std::ofstream(fs::path(L"\\\\?\\" + file.wstring()), std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::wstring Quoted(const fs::path& path) {
  return L"\u00AB\u00A0" + path.wstring() + L"\u00A0\u00BB";
}

// Both panes show `folder`: each drive list its drive, each folder list the drive root then each
// folder down to it, and each file list its files (`files` of them).
void ExpectBothPanesOn(const RunningProgram& program, const fs::path& folder, int files) {
  std::vector<std::wstring> down{folder.root_path().wstring()};
  for (const fs::path& part : folder.relative_path())
    down.push_back(part.wstring());
  for (const int drives : {kLecteur1, kLecteur2}) {
    const HWND list = program.Control(drives);
    const auto picked = SendMessageW(list, CB_GETCURSEL, 0, 0);
    ASSERT_GE(picked, 0);
    const std::wstring drive =
        RunningProgram::ComboBoxTexts(list)[static_cast<std::size_t>(picked)];
    EXPECT_EQ(Upper(drive.substr(0, 2)), folder.root_name().wstring());
  }
  for (const int folders : {kRepertoire1, kRepertoire2}) {
    const std::vector<std::wstring> entries =
        RunningProgram::ListBoxTexts(program.Control(folders));
    ASSERT_GE(entries.size(), down.size());
    EXPECT_EQ(std::vector(entries.begin(), entries.begin() + std::ssize(down)), down);
  }
  for (const int list : {kFichier1, kFichier2})
    EXPECT_EQ(program.FileCount(program.Control(list)), files);
  EXPECT_EQ(TextOf(program.Control(kLabel2)), L" " + std::to_wstring(files) + L" Fichiers");
}

// A file that the compression made in `folder`: its name ends with "_". The tool renames its
// temporary file once complete.
bool CompressedFileIn(const fs::path& folder) {
  const std::wstring pattern = L"\\\\?\\" + (folder / L"*_").wstring();
  return WaitFor([&] {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
  });
}

std::string SomeText() {
  std::string text;
  for (int i = 0; i < 200; ++i)
    text += "Ligne " + std::to_string(i) + " du rapport : chiffres et remarques.\r\n";
  return text;
}

// A file given on the command line, whatever its path: both panes on its folder, the file selected
// in the source list, the count line written and the job that suits it armed; one click on it
// compresses the file.
TEST(WaysIn, StartedOnAFileTheProgramIsReadyForItsJob) {
  const ProgramFolder folder(Tools::kReal);
  fs::path deep = folder.Source();
  while (deep.wstring().size() < 260)
    deep /= L"Un dossier au nom assez long";
  struct Row {
    fs::path file;
    int armed;
  };
  const std::vector<Row> rows{
      {folder.Source() / L"rapport annuel.txt", kBtCompres},
      {folder.Source() / L"Φάκελος Папка" / L"σημειώσεις été.txt", kBtCompres},
      {deep / L"bilan du semestre.txt", kBtCompres},
      {folder.Source() / L"Archives" / L"RAPPORT.TX_", kBtDecomp},
  };
  for (const Row& row : rows)
    WriteFile(row.file, SomeText());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.file.wstring());
    const RunningProgram program(folder.Program(), folder.App(),
                                 L"\"" + row.file.wstring() + L"\"");
    ASSERT_TRUE(WaitFor([&] { return Enabled(program, row.armed); }));
    EXPECT_FALSE(Enabled(program, row.armed == kBtCompres ? kBtDecomp : kBtCompres));
    ExpectBothPanesOn(program, row.file.parent_path(), 1);
    EXPECT_EQ(program.SelectedFile(program.Control(kFichier1)), row.file.filename().wstring());
    EXPECT_TRUE(program.NoBoxShows());
    if (row.armed != kBtCompres) continue;
    program.Click(program.Control(kBtCompres));
    EXPECT_TRUE(CompressedFileIn(row.file.parent_path()));
  }
}

// A path that names nothing, or a file on a drive that is not ready: the window opens as without a
// path, and a box with the stop icon says which path could not be opened.
TEST(WaysIn, StartedOnAPathThatCannotBeOpenedItSaysWhich) {
  const ProgramFolder folder(Tools::kRecorder);
  folder.Write(L"RAPPORT.TXT", "x");
  const fs::path medium = WindowsPath(TASSEFICHE_DRIVE_Q_FOLDER);
  fs::remove_all(medium);
  for (const fs::path& path :
       {folder.Source() / L"Φάκελος absent" / L"rapport.txt", fs::path(L"Q:\\RAPPORT.TXT")}) {
    SCOPED_TRACE(path.wstring());
    const RunningProgram program(folder.Program(), folder.Source(), L"\"" + path.wstring() + L"\"");
    const HWND box = program.WaitForBox(L"Erreur");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(RunningProgram::BoxText(box).starts_with(L"Impossible d'ouvrir " + Quoted(path)))
        << RunningProgram::BoxText(box);
    bool stop_icon = false;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM found) {
          if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
              SendMessageW(child, STM_GETICON, 0, 0) != 0) {
            *reinterpret_cast<bool*>(found) = true;
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&stop_icon));
    EXPECT_TRUE(stop_icon);
    RunningProgram::Answer(box, IDOK);
    EXPECT_TRUE(program.NoBoxShows());
    ExpectBothPanesOn(program, folder.Source(), 1);
    EXPECT_FALSE(Enabled(program, kBtCompres));
    EXPECT_FALSE(Enabled(program, kBtDecomp));
  }
}

// Files dragged from another process: the first of several opens as on the command line, ready to
// compress with one click; a folder opens in both panes; while a box is open the window refuses
// the drop.
TEST(WaysIn, FilesDroppedOnTheWindowOpenTheFirst) {
  const ProgramFolder folder(Tools::kReal);
  folder.Write(L"rapport annuel.txt", SomeText());
  folder.Write(L"zz autre.txt", "autre");
  fs::create_directories(folder.Source() / L"Sous dossier");
  folder.Write(L"Sous dossier\\LISEZMOI.TXT", "x");
  const RunningProgram program(folder.Program(), folder.App());

  EXPECT_EQ(DragFiles({folder.Source() / L"rapport annuel.txt", folder.Source() / L"zz autre.txt"},
                      program.Main()),
            static_cast<DWORD>(DROPEFFECT_COPY));
  ASSERT_TRUE(WaitFor([&] { return Enabled(program, kBtCompres); }));
  ExpectBothPanesOn(program, folder.Source(), 2);
  EXPECT_EQ(program.SelectedFile(program.Control(kFichier1)), L"rapport annuel.txt");
  program.Click(program.Control(kBtCompres));
  EXPECT_TRUE(CompressedFileIn(folder.Source()));

  EXPECT_EQ(DragFiles({folder.Source() / L"Sous dossier"}, program.Main()),
            static_cast<DWORD>(DROPEFFECT_COPY));
  ASSERT_TRUE(WaitFor([&] {
    return RunningProgram::ListBoxTexts(program.Control(kRepertoire1)).back() == L"Sous dossier";
  }));
  ExpectBothPanesOn(program, folder.Source() / L"Sous dossier", 1);
  EXPECT_FALSE(Enabled(program, kBtCompres));

  program.Press(program.Control(kBtcInfo));
  const HWND help = program.WaitForBox(L"Utilitaire de compression / décompression de fichiers");
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(DragFiles({folder.Source() / L"rapport annuel.txt"}, program.Main()),
            static_cast<DWORD>(DROPEFFECT_NONE));
  RunningProgram::Answer(help, IDOK);
  EXPECT_TRUE(program.NoBoxShows());
  ExpectBothPanesOn(program, folder.Source() / L"Sous dossier", 1);
}

// The pointer over the window, read from outside: the arrow at rest, the arrow with an hourglass
// while a tool works on, the arrow again once it has ended.
TEST(WaysIn, ThePointerSaysWhileAToolWorks) {
  const ProgramFolder folder(Tools::kRecorder);
  folder.Write(L"RAPPORT.TXT", "x");
  const fs::path hold = folder.App() / L"COMPRESS.EXE.hold";
  std::ofstream(hold) << "";
  const RunningProgram program(folder.Program(), folder.App(),
                               L"\"" + (folder.Source() / L"RAPPORT.TXT").wstring() + L"\"");
  ASSERT_TRUE(WaitFor([&] { return Enabled(program, kBtCompres); }));
  SetForegroundWindow(program.Main());
  RECT list{};
  GetWindowRect(program.Control(kFichier2), &list);
  SetCursorPos((list.left + list.right) / 2, (list.top + list.bottom) / 2);
  EXPECT_TRUE(WaitFor([&] { return PointerShown(program) == kArrow; })) << PointerShown(program);

  program.Press(program.Control(kBtCompres));
  ASSERT_FALSE(folder.RecordedLine(L"COMPRESS.EXE").empty());
  EXPECT_TRUE(WaitFor([&] { return PointerShown(program) == kArrowHourglass; }))
      << PointerShown(program);
  fs::remove(hold);
  EXPECT_TRUE(WaitFor([&] { return PointerShown(program) == kArrow; })) << PointerShown(program);
  EXPECT_TRUE(program.NoBoxShows());
}

}  // namespace
}  // namespace tassefiche::e2e
