#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <array>

#include "platform/platform_error.h"
#include "platform/text.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_folder_watch.h"

namespace tassefiche {

namespace {

constexpr std::wstring_view kExtendedPrefix = L"\\\\?\\";

// Calls a "fill this buffer" function of Win32 until the buffer is large enough; empty on failure.
template <typename Call>
std::wstring GrowingBuffer(Call call) {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD written = call(buffer.data(), static_cast<DWORD>(buffer.size()));
    if (written == 0) return {};
    if (written < buffer.size()) {
      buffer.resize(written);
      return buffer;
    }
    buffer.resize(written + 1);
  }
}

// A full drive path long enough to need it is passed in the "\\?\" form, which lifts MAX_PATH.
// That form is taken as it is written, so the path is first made full as the system makes it
// ("." and ".." resolved, trailing dots and blanks of names dropped), as for a shorter path.
std::wstring Extended(std::wstring_view path) {
  const bool drive_path = path.size() >= 3 && path[1] == L':' && path[2] == L'\\';
  if (!drive_path || path.size() < MAX_PATH - 12) return std::wstring(path);
  const std::wstring written(path);
  std::wstring full = GrowingBuffer([&](wchar_t* buffer, DWORD size) {
    return GetFullPathNameW(written.c_str(), size, buffer, nullptr);
  });
  return std::wstring(kExtendedPrefix) + (full.empty() ? written : full);
}

std::wstring WithoutExtendedPrefix(std::wstring path) {
  if (path.starts_with(kExtendedPrefix)) path.erase(0, kExtendedPrefix.size());
  return path;
}

std::wstring LongForm(const std::wstring& path) {
  const std::wstring extended = Extended(path);
  std::wstring result = GrowingBuffer([&](wchar_t* buffer, DWORD size) {
    return GetLongPathNameW(extended.c_str(), buffer, size);
  });
  return result.empty() ? path : WithoutExtendedPrefix(std::move(result));
}

std::wstring Root(wchar_t letter) {
  return {letter, L':', L'\\'};
}

bool DriveReady(wchar_t letter, std::wstring* label) {
  std::array<wchar_t, MAX_PATH + 1> name{};
  const std::wstring root = Root(letter);
  if (!GetVolumeInformationW(root.c_str(), name.data(), static_cast<DWORD>(name.size()), nullptr,
                             nullptr, nullptr, nullptr, 0)) {
    return false;
  }
  if (label != nullptr) *label = name.data();
  return true;
}

// The path with each component spelt as it is stored on disk.
std::wstring StoredSpelling(const std::wstring& path) {
  std::wstring result = path.substr(0, 3);
  result[0] = ToUpper(result[0]);
  std::size_t start = 3;
  while (start < path.size()) {
    std::size_t end = path.find(L'\\', start);
    if (end == std::wstring::npos) end = path.size();
    const std::wstring so_far = result + (result.ends_with(L'\\') ? L"" : L"\\");
    const std::wstring component = path.substr(start, end - start);
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(Extended(so_far + component).c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      FindClose(search);
      result = so_far + found.cFileName;
    } else {
      result = so_far + component;
    }
    start = end + 1;
  }
  return result;
}

}  // namespace

std::vector<DriveInfo> Win32FileSystem::Drives() {
  std::vector<DriveInfo> drives;
  const DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if ((mask & (1u << i)) == 0) continue;
    DriveInfo drive;
    drive.letter = static_cast<wchar_t>(L'A' + i);
    drive.ready = DriveReady(drive.letter, &drive.label);
    drives.push_back(std::move(drive));
  }
  return drives;
}

std::wstring Win32FileSystem::CurrentDirectory() {
  const std::wstring current =
      GrowingBuffer([](wchar_t* buffer, DWORD size) { return GetCurrentDirectoryW(size, buffer); });
  if (current.empty()) ThrowWin32Error("GetCurrentDirectory");
  return LongForm(WithoutExtendedPrefix(current));
}

// A current folder beyond MAX_PATH is one that the system may refuse and that a program started
// from here cannot inherit: its short form is taken when it is shorter, the long form otherwise.
void Win32FileSystem::ChangeDirectory(std::wstring_view path) {
  std::wstring folder(path);
  if (folder.size() >= MAX_PATH) {
    const std::wstring short_form = ShortPath(folder);
    if (!short_form.empty() && short_form.size() < folder.size()) folder = short_form;
  }
  if (!SetCurrentDirectoryW(folder.c_str())) ThrowWin32Error("SetCurrentDirectory");
}

std::wstring Win32FileSystem::DriveCurrentDirectory(wchar_t letter) {
  if (!DriveReady(letter, nullptr)) ThrowWin32Error("GetVolumeInformation");
  const std::wstring drive{letter, L':'};
  const std::wstring full = GrowingBuffer([&](wchar_t* buffer, DWORD size) {
    return GetFullPathNameW(drive.c_str(), size, buffer, nullptr);
  });
  if (full.empty()) ThrowWin32Error("GetFullPathName");
  return LongForm(full);
}

std::wstring Win32FileSystem::ResolveFolder(std::wstring_view path, std::wstring_view base) {
  ResolvedPath found = ResolvePath(path, base);
  if (!found.folder) ThrowWin32Error("folder", ERROR_DIRECTORY);
  return std::move(found.path);
}

// A path given in the "\\?\" form is made full and spelt as any other.
ResolvedPath Win32FileSystem::ResolvePath(std::wstring_view path, std::wstring_view base) {
  std::wstring combined(path);
  const bool has_drive = path.size() >= 2 && path[1] == L':';
  const bool unc = path.starts_with(L"\\\\");
  if (!has_drive && !unc) {
    combined = path.starts_with(L'\\')
                   ? std::wstring(base.substr(0, 2)) + combined
                   : std::wstring(base) + (base.ends_with(L'\\') ? L"" : L"\\") + combined;
  }
  const std::wstring full = WithoutExtendedPrefix(GrowingBuffer([&](wchar_t* buffer, DWORD size) {
    return GetFullPathNameW(combined.c_str(), size, buffer, nullptr);
  }));
  if (full.empty()) ThrowWin32Error("GetFullPathName");
  const DWORD attributes = GetFileAttributesW(Extended(full).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) ThrowWin32Error("GetFileAttributes");
  std::wstring long_form = LongForm(full);
  if (long_form.size() > 3 && long_form.ends_with(L'\\')) long_form.pop_back();
  return {StoredSpelling(long_form), (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0};
}

std::vector<DirectoryEntry> Win32FileSystem::ListFolder(std::wstring_view folder) {
  std::wstring pattern(folder);
  if (!pattern.ends_with(L'\\')) pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileExW(Extended(pattern).c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  std::vector<DirectoryEntry> entries;
  if (search == INVALID_HANDLE_VALUE) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return entries;
    ThrowWin32Error("FindFirstFile");
  }
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    entries.push_back({std::wstring(name), found.dwFileAttributes});
  } while (FindNextFileW(search, &found));
  const DWORD error = GetLastError();
  FindClose(search);
  if (error != ERROR_NO_MORE_FILES) ThrowWin32Error("FindNextFile", error);
  return entries;
}

// The wide call with a buffer as large as the platform asks for: no name is lost to a code page and
// no path to a fixed length.
std::wstring Win32FileSystem::ShortPath(std::wstring_view path) {
  const std::wstring extended = Extended(path);
  std::wstring result = GrowingBuffer([&](wchar_t* buffer, DWORD size) {
    return GetShortPathNameW(extended.c_str(), buffer, size);
  });
  return WithoutExtendedPrefix(std::move(result));
}

// The system reports a device name ("CON", "NUL") as a name that exists, though nothing of that
// name is in the folder: the user is told the name is refused, not that it is taken.
void Win32FileSystem::CreateFolder(std::wstring_view path) {
  const std::wstring extended = Extended(path);
  if (CreateDirectoryW(extended.c_str(), nullptr)) return;
  DWORD error = GetLastError();
  if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(extended.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
      error = ERROR_INVALID_NAME;
    } else {
      FindClose(search);
    }
  }
  ThrowWin32Error("CreateDirectory", error);
}

// The name as the file system stores it, found without wildcards (a path holding one names no
// file), for a file that is neither hidden, nor a system file, nor a folder.
std::wstring Win32FileSystem::NormalFileName(std::wstring_view path) {
  if (path.empty() || path.find_first_of(L"*?") != std::wstring_view::npos) return {};
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(Extended(path).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return {};
  FindClose(search);
  const DWORD not_normal = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  return (found.dwFileAttributes & not_normal) == 0 ? std::wstring(found.cFileName) : L"";
}

std::wstring Win32FileSystem::SystemFolder() {
  const std::wstring folder =
      GrowingBuffer([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); });
  if (folder.empty()) ThrowWin32Error("GetSystemDirectory");
  return folder;
}

std::unique_ptr<FolderWatch> Win32FileSystem::WatchFolder(std::wstring_view folder,
                                                          std::function<void()> on_change) {
  if (loop_ == nullptr) return nullptr;
  return Win32FolderWatch::Start(*loop_, folder, std::move(on_change));
}

}  // namespace tassefiche
