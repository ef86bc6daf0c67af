#include "program_folder.h"

#include <windows.h>

#include <fstream>

#include "running_program.h"

namespace tassefiche::e2e {

namespace fs = std::filesystem;

ProgramFolder::ProgramFolder(Tools tools, std::wstring_view app_name,
                             std::wstring_view source_name) {
  // Wine reuses small process numbers from one run to the next: the clock makes the name unique.
  static int made = 0;
  root_ = fs::temp_directory_path() /
          (L"tassefiche-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++made));
  app_ = root_ / app_name;
  source_ = root_ / source_name;
  fs::create_directories(app_);
  fs::create_directories(source_);
  fs::copy_file(WindowsPath(TASSEFICHE_EXE), Program());
  if (tools == Tools::kReal) {
    fs::copy_file(WindowsPath(TASSEFICHE_COMPRESS_EXE), app_ / L"COMPRESS.EXE");
    fs::copy_file(WindowsPath(TASSEFICHE_EXPAND_EXE), app_ / L"EXPAND.EXE");
  } else if (tools == Tools::kRecorder) {
    fs::copy_file(WindowsPath(TASSEFICHE_RECORDER_EXE), app_ / L"COMPRESS.EXE");
    fs::copy_file(WindowsPath(TASSEFICHE_RECORDER_EXE), app_ / L"EXPAND.EXE");
  }
}

namespace {

// Removes a folder and all it holds, through the "\\?\" form that reaches paths of any length.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RemoveTree(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

ProgramFolder::~ProgramFolder() {
  RemoveTree(L"\\\\?\\" + root_.wstring());
}

void ProgramFolder::Write(std::wstring_view name, std::string_view bytes) const {
  std::ofstream(source_ / name, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::wstring ProgramFolder::RecordedLine(std::wstring_view tool) const {
  const fs::path record = app_ / (std::wstring(tool) + L".line");
  if (!WaitFor([&] { return fs::exists(record) && fs::file_size(record) > 0; })) return {};
  const std::string bytes = ReadAll(record);
  return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()),
                      bytes.size() / sizeof(wchar_t));
}

std::string ReadAll(const fs::path& file) {
  std::string bytes(static_cast<std::size_t>(fs::file_size(file)), '\0');
  std::ifstream(file, std::ios::binary)
      .read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

std::wstring ShortForm(const fs::path& path) {
  const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
  std::wstring result(size, L'\0');
  const DWORD written = GetShortPathNameW(path.c_str(), result.data(), size);
  result.resize(written);
  return result;
}

std::wstring Upper(std::wstring text) {
  CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

}  // namespace tassefiche::e2e
