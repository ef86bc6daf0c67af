// "&Décompresser" on cabinets through the real window and the real EXPAND.EXE: a cabinet of one
// file gives that file under the answered name; a cabinet of two gives a folder of that name. The
// cabinets are made by the system's own cabinet maker.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "program_folder.h"
#include "running_program.h"

namespace tassefiche::e2e {
namespace {

namespace fs = std::filesystem;

constexpr int kBtDecomp = 1;
constexpr int kFichier1 = 18;
constexpr std::wstring_view kAskTitle = L"Nom du fichier à décompresser";

std::string Lines(const char* what, int count) {
  std::string text;
  for (int i = 0; i < count; ++i)
    text += std::string(what) + " " + std::to_string(i) + "\r\n";
  return text;
}

// Runs the system's cabarc in `folder`: "cabarc -m mszip N <cabinet> <files>".
void MakeCabinet(const fs::path& folder, const std::wstring& cabinet, const std::wstring& files) {
  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring program = std::wstring(system, length) + L"\\cabarc.exe";
  std::wstring line = L"cabarc.exe -m mszip N " + cabinet + L" " + files;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_NE(CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                           nullptr, folder.c_str(), &startup, &process),
            0);
  WaitForSingleObject(process.hProcess, 60000);
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  ASSERT_EQ(code, 0u);
  ASSERT_TRUE(fs::exists(folder / cabinet));
}

void ExpandThroughTheWindow(const RunningProgram& program, std::wstring_view name,
                            std::wstring_view answer) {
  ASSERT_TRUE(program.SelectFile(program.Control(kFichier1), name));
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(program.Control(kBtDecomp)) != FALSE; }));
  program.Press(program.Control(kBtDecomp));
  const HWND box = program.WaitForBox(kAskTitle);
  ASSERT_NE(box, nullptr);
  const HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr);
  const std::wstring typed(answer);
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
  RunningProgram::Answer(box, IDOK);
}

TEST(CabinetsThroughTheWindow, ACabinetOfOneFileGivesThatFile) {
  const ProgramFolder folder(Tools::kReal);
  const std::string notes = Lines("Notes de version", 2000);
  folder.Write(L"notes.txt", notes);
  MakeCabinet(folder.Source(), L"NOTES.TX_", L"notes.txt");
  fs::remove(folder.Source() / L"notes.txt");
  const RunningProgram program(folder.Program(), folder.Source());

  ExpandThroughTheWindow(program, L"NOTES.TX_", L"clair.txt");
  const fs::path expanded = folder.Source() / L"CLAIR.TXT";
  ASSERT_TRUE(
      WaitFor([&] { return fs::exists(expanded) && fs::file_size(expanded) == notes.size(); }));
  EXPECT_EQ(ReadAll(expanded), notes);
  EXPECT_TRUE(program.NoBoxShows());
}

TEST(CabinetsThroughTheWindow, ACabinetOfTwoFilesGivesAFolderOfTheAnsweredName) {
  const ProgramFolder folder(Tools::kReal);
  const std::string one = Lines("Premier fichier", 500);
  const std::string two = Lines("Second fichier", 3000);
  folder.Write(L"un.txt", one);
  folder.Write(L"deux.txt", two);
  MakeCabinet(folder.Source(), L"PAIRE.CA_", L"un.txt deux.txt");
  fs::remove(folder.Source() / L"un.txt");
  fs::remove(folder.Source() / L"deux.txt");
  const RunningProgram program(folder.Program(), folder.Source());

  ExpandThroughTheWindow(program, L"PAIRE.CA_", L"paire");
  const fs::path made = folder.Source() / L"PAIRE";
  ASSERT_TRUE(WaitFor([&] {
    return fs::exists(made / L"deux.txt") && fs::file_size(made / L"deux.txt") == two.size();
  }));
  EXPECT_EQ(ReadAll(made / L"un.txt"), one);
  EXPECT_EQ(ReadAll(made / L"deux.txt"), two);
  EXPECT_TRUE(program.NoBoxShows());
}

}  // namespace
}  // namespace tassefiche::e2e
