// The keyboard after a job, through real keys: the job button disables itself while it has the
// focus, and the focus goes on to the next control of the tab order, where Tab moves it further.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "main_window_controls.h"
#include "program_folder.h"
#include "running_program.h"

namespace tassefiche::e2e {
namespace {

// The job has run, its button is disabled, and the keyboard still works the window.
void ExpectTheFocusOnTheNextTabStop(const RunningProgram& program) {
  EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(program.Control(kBtCompres)) == FALSE; }));
  EXPECT_TRUE(WaitFor([&] { return program.Focus() == program.Control(kCommande1); }));
  RunningProgram::Key(VK_TAB);
  EXPECT_TRUE(WaitFor([&] { return program.Focus() == program.Control(kBtcInfo); }));
}

TEST(FocusThroughTheWindow, AJobByAltCOrEnterLeavesTheFocusWhereTabGoesOn) {
  const ProgramFolder folder(Tools::kRecorder);
  folder.Write(L"A.TXT", "a");
  folder.Write(L"B.TXT", "b");
  const RunningProgram program(folder.Program(), folder.Source());
  const HWND files = program.Control(kFichier1);
  const std::filesystem::path line = folder.App() / L"COMPRESS.EXE.line";

  // A click on the first entry, the arrow down to the second, then Alt+C.
  program.ClickAt(files, {20, 8});
  ASSERT_TRUE(WaitFor([&] { return program.Focus() == files; }));
  RunningProgram::Key(VK_DOWN);
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(program.Control(kBtCompres)) != FALSE; }));
  // The entry the arrow reached is the list's focused and selected one, with its text, as a screen
  // reader asks the list for it.
  EXPECT_EQ(
      SendMessageW(files, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED | LVNI_SELECTED),
      1);
  EXPECT_EQ(program.FileEntry(files, 1), L"B.TXT");
  RunningProgram::KeyWith(VK_MENU, 'C');
  EXPECT_NE(folder.RecordedLine(L"COMPRESS.EXE").find(L"\\B.TXT "), std::wstring::npos);
  ExpectTheFocusOnTheNextTabStop(program);

  // A click arms the button again; Tab goes round to it, and Enter presses it.
  std::filesystem::remove(line);
  // Not at the very point of the first click: under Wine a click there again is lost.
  program.ClickAt(files, {30, 10});
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(program.Control(kBtCompres)) != FALSE; }));
  const auto on_the_button = [&] { return program.Focus() == program.Control(kBtCompres); };
  for (int tabs = 0; tabs < 40 && !WaitFor(on_the_button, std::chrono::milliseconds(300)); ++tabs) {
    RunningProgram::Key(VK_TAB);
  }
  ASSERT_EQ(program.Focus(), program.Control(kBtCompres));
  RunningProgram::Key(VK_RETURN);
  EXPECT_NE(folder.RecordedLine(L"COMPRESS.EXE").find(L"\\A.TXT "), std::wstring::npos);
  ExpectTheFocusOnTheNextTabStop(program);
}

}  // namespace
}  // namespace tassefiche::e2e
