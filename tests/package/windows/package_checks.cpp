#include "package_checks.h"

#include <windows.h>

#include <lzexpand.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "main_window_controls.h"
#include "running_program.h"

namespace tassefiche::package {

namespace fs = std::filesystem;
using e2e::kBtCompres;
using e2e::kFichier1;
using e2e::RunningProgram;
using e2e::WaitFor;

fs::path FolderFromEnvironment(const char* variable) {
  const char* value = std::getenv(variable);
  if (value == nullptr || *value == '\0') return {};
  return e2e::WindowsPath(value);
}

std::set<std::wstring> Entries(const fs::path& folder) {
  std::set<std::wstring> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename());
  return names;
}

const std::set<std::wstring>& ShippedFiles() {
  static const std::set<std::wstring> files{L"Tassefiche.exe", L"COMPRESS.EXE", L"EXPAND.EXE",
                                            L"LISEZMOI.txt", L"LICENSE.txt"};
  return files;
}

std::string ReadAll(const fs::path& file) {
  std::error_code error;
  const auto size = fs::file_size(file, error);
  if (error) return {};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  std::ifstream(file, std::ios::binary)
      .read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

namespace {

// A Windows text file: every line ends with CR LF.
bool OnlyWindowsLineEnds(std::string_view text) {
  for (std::size_t at = text.find('\n'); at != std::string_view::npos;
       at = text.find('\n', at + 1)) {
    if (at == 0 || text[at - 1] != '\r') return false;
  }
  return true;
}

struct TextFile {
  const wchar_t* name;
  std::string_view starts_with;
  std::vector<std::string_view> mentions;
};

// "\xEF\xBB\xBF": the byte order mark that makes Notepad of every Windows version read UTF-8.
const TextFile kTextFiles[] = {
    {L"LISEZMOI.txt",
     "\xEF\xBB\xBFTassefiche " TASSEFICHE_VERSION "\r\n",
     {"COMPRESS.EXE", "EXPAND.EXE", "-R ", "-D ", "registre", "réglage", "LICENSE.txt",
      "Tassefiche.exe CHEMIN", "Ouvrir avec Tassefiche", "glisser-déposer"}},
    {L"LICENSE.txt", "MIT License\r\n", {"Copyright (c)", "Tassefiche", "Permission is hereby"}},
};

}  // namespace

void ExpectShippedFolder(const fs::path& folder) {
  EXPECT_EQ(Entries(folder), ShippedFiles());
  for (const TextFile& file : kTextFiles) {
    SCOPED_TRACE(std::string(fs::path(file.name).string()));
    const std::string text = ReadAll(folder / file.name);
    EXPECT_TRUE(text.starts_with(file.starts_with)) << text.substr(0, 40);
    EXPECT_TRUE(OnlyWindowsLineEnds(text));
    for (const std::string_view word : file.mentions) {
      EXPECT_NE(text.find(word), std::string::npos) << word;
    }
  }
}

namespace {

// The original bytes of an SZDD file, by the platform's own reader (lz32).
std::string ExpandedBySystem(const fs::path& compressed, const fs::path& scratch) {
  OFSTRUCT opened{};
  std::wstring from = compressed.wstring();
  std::wstring to = scratch.wstring();
  const INT source = LZOpenFileW(from.data(), &opened, OF_READ);
  if (source < 0) throw std::runtime_error("LZOpenFileW failed on the compressed file");
  const INT target = LZOpenFileW(to.data(), &opened, OF_CREATE);
  const LONG copied = target < 0 ? -1 : LZCopy(source, target);
  LZClose(source);
  if (target >= 0) LZClose(target);
  if (copied < 0) throw std::runtime_error("LZCopy failed");
  return ReadAll(scratch);
}

}  // namespace

void ExpectCompressionThroughTheWindow(const fs::path& program, const fs::path& folder) {
  ASSERT_TRUE(!folder.empty() && fs::is_directory(folder)) << "no folder to work in";
  std::string text;
  for (int i = 0; i < 300; ++i) {
    text += "Ligne " + std::to_string(i) + " du bilan : recettes, dépenses et remarques.\r\n";
  }
  std::ofstream(folder / L"BILAN.TXT", std::ios::binary) << text;

  const RunningProgram running(program, folder);
  ASSERT_TRUE(running.SelectFile(running.Control(kFichier1), L"BILAN.TXT"))
      << "the source list does not show the program's current folder";
  ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(running.Control(kBtCompres)) != FALSE; }));
  running.Press(running.Control(kBtCompres));

  const fs::path compressed = folder / L"BILAN.TX_";
  ASSERT_TRUE(WaitFor([&] { return fs::exists(compressed) && fs::file_size(compressed) > 0; }))
      << "no compressed file";
  // The tool writes a temporary file and renames it: once there, the file is complete.
  const std::string bytes = ReadAll(compressed);
  EXPECT_TRUE(bytes.starts_with(std::string_view("SZDD\x88\xF0\x27\x33", 8)));
  EXPECT_LT(bytes.size(), text.size());
  EXPECT_EQ(ExpandedBySystem(compressed, folder / L"bilan-relu.txt"), text);
}

Shortcut ReadShortcut(const fs::path& link) {
  IShellLinkW* shell_link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&shell_link)))) {
    throw std::runtime_error("no shell link object");
  }
  IPersistFile* file = nullptr;
  Shortcut shortcut;
  if (SUCCEEDED(shell_link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    if (SUCCEEDED(file->Load(link.c_str(), STGM_READ))) {
      wchar_t text[MAX_PATH] = {};
      if (SUCCEEDED(shell_link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH))) {
        shortcut.target = text;
      }
      text[0] = L'\0';
      if (SUCCEEDED(shell_link->GetWorkingDirectory(text, MAX_PATH))) {
        shortcut.working_folder = text;
      }
      text[0] = L'\0';
      if (SUCCEEDED(shell_link->GetDescription(text, MAX_PATH))) shortcut.description = text;
    }
    file->Release();
  }
  shell_link->Release();
  return shortcut;
}

}  // namespace tassefiche::package
