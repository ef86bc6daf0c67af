// The Win32 ports on the real platform: short forms through the wide call whatever the name and the
// The Win32 ports on the real platform: short forms through the wide call whatever the name and the
// length, folders made and read at any depth, the launcher that starts the tool by its own path,
// normal file names and the system folder, the registry read through GetKeyValue, and the shell.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "about_window/frm_about.h"
#include "platform/platform_error.h"
#include "platform/text.h"
#include "platform/win32/win32_application.h"
#include "platform/win32/win32_dialogs.h"
#include "platform/win32/win32_event_loop.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_processes.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "program_folder.h"
#include "running_program.h"
#include "saved_registry_value.h"

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

TEST(Win32FileSystem, NormalFileNamesAndTheSystemFolder) {
  const ProgramFolder folder(Tools::kNone);
  folder.Write(L"Rapport.TXT", "x");
  folder.Write(L"cache.dat", "x");
  SetFileAttributesW((folder.Source() / L"cache.dat").c_str(), FILE_ATTRIBUTE_HIDDEN);
  Win32FileSystem files;
  EXPECT_EQ(files.NormalFileName((folder.Source() / L"RAPPORT.txt").wstring()), L"Rapport.TXT");
  EXPECT_EQ(files.NormalFileName((folder.Source() / L"cache.dat").wstring()), L"");
  EXPECT_EQ(files.NormalFileName(folder.Source().wstring()), L"");
  EXPECT_EQ(files.NormalFileName((folder.Source() / L"*.TXT").wstring()), L"");
  EXPECT_EQ(files.NormalFileName((folder.Source() / L"absent.txt").wstring()), L"");
  EXPECT_NE(files.NormalFileName(files.SystemFolder() + L"\\MSINFO32.EXE"), L"");
}

// The ports of the real platform under the about window's registry lookup, on values of the
// current user's key that this test writes.
TEST(Win32Registry, GetKeyValueReadsEachKindOfValue) {
  constexpr RegistryRoot kHkeyCurrentUser = 0x80000001;
  const std::wstring key = L"Software\\Tassefiche e2e";
  const SavedRegistryValue text(HKEY_CURRENT_USER, key, L"Texte");
  const SavedRegistryValue bare(HKEY_CURRENT_USER, key, L"Sans NUL");
  const SavedRegistryValue expandable(HKEY_CURRENT_USER, key, L"Extensible");
  const SavedRegistryValue empty(HKEY_CURRENT_USER, key, L"Vide");
  const SavedRegistryValue number(HKEY_CURRENT_USER, key, L"Nombre");
  text.SetText(L"C:\\Program Files\\Outil.exe");
  bare.Set(REG_SZ, {'a', 0, 'b', 0});
  SetEnvironmentVariableW(L"TASSEFICHE_E2E", L"C:\\Essai");
  expandable.SetText(L"%TASSEFICHE_E2E%\\MSINFO32.EXE", REG_EXPAND_SZ);
  empty.Set(REG_SZ, {});
  number.Set(REG_DWORD, {0x2A, 0, 0, 0});

  Win32FileSystem files;
  Win32Dialogs dialogs;
  Win32Processes processes;
  Win32Application application;
  Win32Shell shell;
  Win32Registry registry;
  Win32EventLoop loop;
  Platform platform{files, dialogs, processes, application, shell, registry, loop};
  FrmAbout about(platform);
  const auto read = [&](std::wstring_view name, std::wstring_view key_name = {}) {
    std::wstring value = L"avant";
    const bool found =
        about.GetKeyValue(kHkeyCurrentUser, key_name.empty() ? key : key_name, name, value);
    return std::make_pair(found, value);
  };
  EXPECT_EQ(read(L"Texte"), std::make_pair(true, std::wstring(L"C:\\Program Files\\Outil.exe")));
  EXPECT_EQ(read(L"Sans NUL"), std::make_pair(true, std::wstring(L"ab")));
  EXPECT_EQ(read(L"Extensible"), std::make_pair(true, std::wstring(L"C:\\Essai\\MSINFO32.EXE")));
  EXPECT_EQ(read(L"Vide"), std::make_pair(false, std::wstring()));
  EXPECT_EQ(read(L"Nombre"), std::make_pair(true, std::wstring(L"42")));
  EXPECT_EQ(read(L"Absente"), std::make_pair(false, std::wstring()));
  EXPECT_EQ(read(L"Texte", L"Software\\Tassefiche e2e absente"),
            std::make_pair(false, std::wstring()));
}

TEST(Win32Shell, OpensAProgramWithItsParametersInItsFolder) {
  const ProgramFolder folder(Tools::kRecorder, L"Program Files");
  const std::wstring tool = (folder.App() / L"COMPRESS.EXE").wstring();
  Win32Shell shell;
  EXPECT_GT(shell.Execute(0, L"Open", tool, L"-R \"a b\"", folder.App().wstring(), 1), 32);
  const std::wstring line = folder.RecordedLine(L"COMPRESS.EXE");
  EXPECT_TRUE(line.ends_with(L" -R \"a b\"")) << line;
  EXPECT_LE(shell.Execute(0, L"Open", (folder.App() / L"ABSENT.EXE").wstring(), L"", L"", 1), 32);
}

}  // namespace
}  // namespace tassefiche::e2e
