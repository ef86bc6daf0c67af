// The two jobs through the real window: with our real tools, a round trip that restores the file
// byte for byte; with a recorder in place of a tool, the exact line the tool receives; without a
// tool, the box "Erreur".
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "main_window_controls.h"
#include "program_folder.h"
#include "running_program.h"

namespace tassefiche::e2e {
namespace {

namespace fs = std::filesystem;

constexpr std::wstring_view kAskTitle = L"Nom du fichier à décompresser";
constexpr std::wstring_view kAskPrompt =
    L"Donner le nom du fichier à décompresser dans le dossier destination\r"
    L"8 Caractères maxi pour le nom du fichier destination\r"
    L"(sans suffixe)";

std::string SomeText() {
  std::string text;
  for (int i = 0; i < 400; ++i) {
    text +=
        "Ligne " + std::to_string(i) + " du rapport annuel : chiffres, tableaux et remarques.\r\n";
  }
  return text;
}

bool Enabled(const RunningProgram& program, int tab_index) {
  return IsWindowEnabled(program.Control(tab_index)) != FALSE;
}

// Clicks a file of the source list and waits for the button that the click should arm.
void Arm(const RunningProgram& program, std::wstring_view name, int button) {
  ASSERT_TRUE(program.SelectFile(program.Control(kFichier1), name));
  ASSERT_TRUE(WaitFor([&] { return Enabled(program, button); }));
}

// Answers the input box of the expansion with `answer`.
void AnswerTheQuestion(const RunningProgram& program, std::wstring_view expected_default,
                       std::wstring_view answer) {
  const HWND box = program.WaitForBox(kAskTitle);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(RunningProgram::BoxText(box), kAskPrompt);
  const HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr);
  EXPECT_EQ(TextOf(edit), expected_default);
  const std::wstring typed(answer);
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.c_str()));
  RunningProgram::Answer(box, IDOK);
}

TEST(JobsThroughTheWindow, CompressThenExpandRestoresTheFile) {
  const ProgramFolder folder(Tools::kReal);
  const std::string original = SomeText();
  folder.Write(L"RAPPORT.TXT", original);
  const RunningProgram program(folder.Program(), folder.Source());

  Arm(program, L"RAPPORT.TXT", kBtCompres);
  program.Press(program.Control(kBtCompres));
  const fs::path compressed = folder.Source() / L"RAPPORT.TX_";
  ASSERT_TRUE(WaitFor([&] { return fs::exists(compressed); }));
  EXPECT_LT(fs::file_size(compressed), original.size());
  EXPECT_TRUE(WaitFor([&] { return !Enabled(program, kBtCompres); }));

  // The tool ran on its own: its file shows in both lists by itself, with no click anywhere.
  ASSERT_TRUE(WaitFor([&] { return program.FileCount(program.Control(kFichier1)) == 2; }));
  EXPECT_EQ(program.FileCount(program.Control(kFichier2)), 2);
  EXPECT_EQ(TextOf(program.Control(kLabel2)), L" 2 Fichiers");
  Arm(program, L"RAPPORT.TX_", kBtDecomp);
  EXPECT_FALSE(Enabled(program, kBtCompres));
  program.Press(program.Control(kBtDecomp));
  AnswerTheQuestion(program, L"RAPPORT.TX_", L"copie.txt");

  const fs::path expanded = folder.Source() / L"COPIE.TXT";
  ASSERT_TRUE(
      WaitFor([&] { return fs::exists(expanded) && fs::file_size(expanded) == original.size(); }));
  EXPECT_EQ(ReadAll(expanded), original);
  EXPECT_TRUE(WaitFor([&] { return !Enabled(program, kBtDecomp); }));
}

TEST(JobsThroughTheWindow, ToolsReceiveExactlyTheComposedLines) {
  const ProgramFolder folder(Tools::kRecorder);
  folder.Write(L"rapport annuel.txt", "annuel");
  folder.Write(L"RAPPORT.TX_", "compresse");
  const RunningProgram program(folder.Program(), folder.Source());
  // The program's folder holds a blank: its path is quoted; the rest is in short form, upper case.
  const std::wstring app = Upper(folder.App().wstring());
  const std::wstring target = Upper(ShortForm(folder.Source()));

  Arm(program, L"rapport annuel.txt", kBtCompres);
  program.Press(program.Control(kBtCompres));
  EXPECT_EQ(folder.RecordedLine(L"COMPRESS.EXE"),
            L"\"" + app + L"\\COMPRESS.EXE\" -R " +
                Upper(ShortForm(folder.Source() / L"rapport annuel.txt")) + L" " + target);

  Arm(program, L"RAPPORT.TX_", kBtDecomp);
  program.Press(program.Control(kBtDecomp));
  AnswerTheQuestion(program, L"RAPPORT.TX_", L"rapport");
  EXPECT_EQ(folder.RecordedLine(L"EXPAND.EXE"),
            L"\"" + app + L"\\EXPAND.EXE\" " + Upper(ShortForm(folder.Source() / L"RAPPORT.TX_")) +
                L" " + target + L"\\RAPPORT");
}

TEST(JobsThroughTheWindow, AMissingToolGivesErreurAndKeepsTheButton) {
  const ProgramFolder folder(Tools::kNone);
  folder.Write(L"RAPPORT.TXT", "rapport");
  const RunningProgram program(folder.Program(), folder.Source());
  Arm(program, L"RAPPORT.TXT", kBtCompres);
  program.Press(program.Control(kBtCompres));
  const HWND box = program.WaitForBox(L"Tassefiche");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(RunningProgram::BoxText(box), L"Erreur");
  RunningProgram::Answer(box, IDOK);
  EXPECT_TRUE(program.NoBoxShows());
  EXPECT_TRUE(Enabled(program, kBtCompres));
}

// A tool that fails tells why, in its own words, and the job's button is armed again.
TEST(JobsThroughTheWindow, AFailedToolShowsItsMessageAndReArmsTheButton) {
  const ProgramFolder folder(Tools::kReal);
  folder.Write(L"RAPPORT.TXT", SomeText());
  fs::create_directory(folder.Source() / L"RAPPORT.TX_");  // where the tool must write its file
  std::string damaged = "SZDD\x88\xF0\x27\x33\x41\x74\x10\x27\x00\x00\xFF";
  folder.Write(L"ABIME.TX_", damaged);
  const RunningProgram program(folder.Program(), folder.Source());

  Arm(program, L"RAPPORT.TXT", kBtCompres);
  program.Press(program.Control(kBtCompres));
  HWND box = program.WaitForBox(L"Erreur");
  ASSERT_NE(box, nullptr);
  const std::wstring message = RunningProgram::BoxText(box);
  EXPECT_FALSE(message.empty());
  EXPECT_NE(message, L"Erreur");
  RunningProgram::Answer(box, IDOK);
  EXPECT_TRUE(WaitFor([&] { return Enabled(program, kBtCompres); }));

  Arm(program, L"ABIME.TX_", kBtDecomp);
  program.Press(program.Control(kBtDecomp));
  AnswerTheQuestion(program, L"ABIME.TX_", L"abime.txt");
  box = program.WaitForBox(L"Erreur");
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(RunningProgram::BoxText(box).empty());
  RunningProgram::Answer(box, IDOK);
  EXPECT_TRUE(WaitFor([&] { return Enabled(program, kBtDecomp); }));
  EXPECT_TRUE(program.NoBoxShows());
  EXPECT_FALSE(fs::exists(folder.Source() / L"ABIME.TXT"));
}

// A file made by another program shows in the source list, and the count line follows.
TEST(JobsThroughTheWindow, TheSourcePaneFollowsTheDisk) {
  const ProgramFolder folder(Tools::kRecorder);
  folder.Write(L"RAPPORT.TXT", "rapport");
  const RunningProgram program(folder.Program(), folder.Source());
  ASSERT_TRUE(WaitFor([&] { return TextOf(program.Control(kLabel2)) == L" 1 Fichiers"; }));
  folder.Write(L"nouveau.txt", "nouveau");
  EXPECT_TRUE(WaitFor([&] { return TextOf(program.Control(kLabel2)) == L" 2 Fichiers"; }));
  EXPECT_EQ(program.FileEntry(program.Control(kFichier1), 0), L"nouveau.txt");
  fs::remove(folder.Source() / L"RAPPORT.TXT");
  EXPECT_TRUE(WaitFor([&] { return TextOf(program.Control(kLabel2)) == L" 1 Fichiers"; }));
  EXPECT_EQ(program.FileCount(program.Control(kFichier2)), 1);
}

TEST(JobsThroughTheWindow, CancelInTheQuestionLaunchesNothing) {
  const ProgramFolder folder(Tools::kRecorder);
  folder.Write(L"RAPPORT.TX_", "compresse");
  const RunningProgram program(folder.Program(), folder.Source());
  Arm(program, L"RAPPORT.TX_", kBtDecomp);
  program.Press(program.Control(kBtDecomp));
  const HWND box = program.WaitForBox(kAskTitle);
  ASSERT_NE(box, nullptr);
  RunningProgram::Answer(box, IDCANCEL);
  EXPECT_TRUE(program.NoBoxShows());
  EXPECT_TRUE(Enabled(program, kBtDecomp));
  EXPECT_FALSE(fs::exists(folder.App() / L"EXPAND.EXE.line"));
}

}  // namespace
}  // namespace tassefiche::e2e
