// The Win32 ports on the real platform: short forms through the wide call whatever the name and the
// length, folders made and read at any depth, and the launcher that starts the tool by its own
// path.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform_error.h"
#include "platform/text.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_processes.h"
#include "program_folder.h"
#include "running_program.h"

namespace tassefiche::e2e {
namespace {

namespace fs = std::filesystem;

TEST(Win32ShortPath, KeepsRootsAndGivesNothingForMissingPaths) {
  Win32FileSystem files;
  EXPECT_EQ(files.ShortPath(L"C:\\"), L"C:\\");
  EXPECT_EQ(files.ShortPath(L"C:\\Absent\\Rapport.txt"), L"");
  EXPECT_EQ(files.ShortPath(L""), L"");
}

TEST(Win32ShortPath, KeepsNamesOutsideTheAnsiCodePage) {
  const ProgramFolder folder(Tools::kNone);
  folder.Write(L"Ωμέγα отчёт.txt", "x");
  Win32FileSystem files;
  const std::wstring short_form = files.ShortPath((folder.Source() / L"Ωμέγα отчёт.txt").wstring());
  ASSERT_FALSE(short_form.empty());
  EXPECT_TRUE(fs::exists(fs::path(short_form)));
  EXPECT_TRUE(fs::equivalent(fs::path(short_form), folder.Source() / L"Ωμέγα отчёт.txt"));
}

TEST(Win32ShortPath, KeepsPathsLongerThanMaxPath) {
  const ProgramFolder folder(Tools::kNone);
  fs::path deep = folder.Source();
  for (int i = 0; i < 12; ++i)
    deep /= L"un dossier au nom assez long " + std::to_wstring(i);
  fs::create_directories(L"\\\\?\\" + deep.wstring());
  const std::wstring file = deep.wstring() + L"\\rapport final.txt";
  ASSERT_GT(file.size(), 300U);
  CloseHandle(CreateFileW((L"\\\\?\\" + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  Win32FileSystem files;
  const std::wstring short_form = files.ShortPath(file);
  ASSERT_FALSE(short_form.empty());
  EXPECT_LT(short_form.size(), file.size());
  EXPECT_TRUE(short_form.starts_with(folder.Source().wstring().substr(0, 3)));
}

// Beyond MAX_PATH: a folder is made, read, resolved and made current; and each failure says its
// kind with a French reason.
TEST(Win32FileSystem, CreatesAndReadsFoldersAtAnyDepthAndSaysWhyItCannot) {
  const ProgramFolder folder(Tools::kNone);
  Win32FileSystem files;
  std::wstring deep = folder.Source().wstring();
  while (deep.size() < 300) {
    deep += L"\\Dossier de longueur moyenne";
    files.CreateFolder(deep);
  }
  files.CreateFolder(deep + L"\\Ωμέγα Папка");
  EXPECT_EQ(files.ResolveFolder(deep + L"\\ΩΜΈΓΑ ПАПКА", L""), deep + L"\\Ωμέγα Папка");
  ASSERT_EQ(files.ListFolder(deep).size(), 1U);
  EXPECT_EQ(files.ListFolder(deep)[0].name, L"Ωμέγα Папка");
  files.ChangeDirectory(deep);
  EXPECT_TRUE(EqualsNoCase(files.CurrentDirectory(), deep));
  files.ChangeDirectory(folder.App().wstring());

  const std::vector<std::pair<std::wstring, FailureKind>> refused{
      {deep, FailureKind::kAlreadyExists},
      {folder.Source().wstring() + L"\\Absent\\Nouveau", FailureKind::kNotFound},
      {folder.Source().wstring() + L"\\a\"b", FailureKind::kInvalidName},
  };
  for (const auto& [path, kind] : refused) {
    try {
      files.CreateFolder(path);
      ADD_FAILURE() << "created";
    } catch (const PlatformError& failure) {
      EXPECT_EQ(failure.Kind(), kind) << failure.what();
      EXPECT_FALSE(failure.Reason().empty()) << failure.what();
    }
  }
}

TEST(Win32Processes, StartsTheToolByItsPathNeverByTheHeadOfTheLine) {
  const ProgramFolder folder(Tools::kRecorder, L"Program Files");
  // A decoy where an unquoted search of the line would look first.
  fs::copy_file(WindowsPath(TASSEFICHE_RECORDER_EXE), folder.App().parent_path() / L"Program.exe");
  Win32Processes processes;
  const std::wstring tool = (folder.App() / L"COMPRESS.EXE").wstring();
  processes.Launch(tool, tool + L" -R A B", WindowStyle::kHidden);
  EXPECT_EQ(folder.RecordedLine(L"COMPRESS.EXE"), tool + L" -R A B");
  EXPECT_FALSE(fs::exists(folder.App().parent_path() / L"Program.exe.line"));
  EXPECT_THROW(
      processes.Launch((folder.App() / L"ABSENT.EXE").wstring(), L"x", WindowStyle::kHidden),
      PlatformError);
}

}  // namespace
}  // namespace tassefiche::e2e
