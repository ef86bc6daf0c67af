// The file system layer on Windows: wide API calls, identities from GetFileInformationByHandle,
// kinds from GetFileType, so that NUL, CON and pipes are known for what they are.
#include <windows.h>

#include <vector>

#include "common/failure.h"
#include "common/file_system.h"
#include "common/paths.h"
#include "common/win32_io.h"
#include "common/win32_temporary_file.h"

namespace tools {
namespace {

using win32::Fail;
using win32::HandleCloser;
using win32::Narrow;
using win32::Wide;

// A name that the system takes for a device in any folder (NUL, CON, COM1...): it has no file
// to examine, and the console opens only for reading or for writing.
bool IsDosDevice(const std::wstring& path) {
  if (path.starts_with(L"\\\\")) {
    return false;  // \\.\ and \\?\ paths are examined by opening them
  }
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  std::vector<wchar_t> full(size + 1);
  const DWORD length =
      GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  return size > 0 && length > 0 && length < full.size() &&
         std::wstring_view(full.data(), length).starts_with(L"\\\\.\\");
}

bool IsNotFound(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_INVALID_NAME;
}

FileInfo InfoOf(HANDLE handle, const std::string& path) {
  FileInfo info;
  switch (GetFileType(handle)) {
    case FILE_TYPE_CHAR:
      info.kind = FileKind::kDevice;
      return info;
    case FILE_TYPE_PIPE:
      info.kind = FileKind::kPipe;
      return info;
    case FILE_TYPE_DISK:
      break;
    default:
      info.kind = FileKind::kDisk;
      return info;
  }
  BY_HANDLE_FILE_INFORMATION data{};
  if (GetFileInformationByHandle(handle, &data) == 0) {
    Fail("impossible d'examiner", path);
  }
  info.id = {data.dwVolumeSerialNumber,
             (static_cast<std::uint64_t>(data.nFileIndexHigh) << 32) | data.nFileIndexLow};
  info.kind = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? FileKind::kFolder
                                                                      : FileKind::kRegular;
  info.read_only =
      info.kind == FileKind::kRegular && (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
  info.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  info.modified = static_cast<std::int64_t>(
      (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
      data.ftLastWriteTime.dwLowDateTime);
  FILETIME local{};
  SYSTEMTIME when{};
  if (FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) != 0 &&
      FileTimeToSystemTime(&local, &when) != 0) {
    info.stamp = {when.wYear, when.wMonth, when.wDay, when.wHour, when.wMinute, when.wSecond, 0};
  }
  info.stamp.attributes =
      static_cast<std::uint16_t>(data.dwFileAttributes & (kReadOnlyAttribute | kHiddenAttribute |
                                                          kSystemAttribute | kArchiveAttribute));
  return info;
}

class Win32InputFile final : public InputFile {
 public:
  Win32InputFile(HANDLE handle, std::string path, const FileInfo& info)
      : handle_(handle), file_{std::move(path), "de"}, info_(info) {}
  ~Win32InputFile() override { CloseHandle(handle_); }
  Win32InputFile(const Win32InputFile&) = delete;
  Win32InputFile& operator=(const Win32InputFile&) = delete;

  std::size_t Read(std::span<std::uint8_t> bytes) override {
    return win32::ReadSome(handle_, bytes, file_);
  }
  const FileInfo& info() const override { return info_; }
  void Rewind() override { win32::Rewind(handle_, file_); }
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) override {
    return win32::ReadAt(handle_, offset, bytes, file_);
  }

 private:
  HANDLE handle_;
  win32::Named file_;
  FileInfo info_;
};

class Win32Stream final : public Writer {
 public:
  Win32Stream(HANDLE handle, std::string path) : handle_(handle), file_{std::move(path)} {}
  ~Win32Stream() override { CloseHandle(handle_); }
  Win32Stream(const Win32Stream&) = delete;
  Win32Stream& operator=(const Win32Stream&) = delete;

  void Write(std::span<const std::uint8_t> bytes) override {
    win32::WriteAll(handle_, bytes, file_);
  }

 private:
  HANDLE handle_;
  win32::Named file_;
};

class Win32FileSystem final : public FileSystem {
 public:
  std::optional<FileInfo> Stat(const std::string& path) override {
    const std::wstring wide = Wide(path);
    if (IsDosDevice(wide)) {
      FileInfo device;
      device.kind = FileKind::kDevice;
      return device;
    }
    // Attributes only: no sharing conflict with a file that is open, even our own source.
    HANDLE handle = CreateFileW(wide.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (IsNotFound(error)) {
        return std::nullopt;
      }
      Fail("impossible d'examiner", path, error);
    }
    const HandleCloser closer(handle);
    return InfoOf(handle, path);
  }

  std::vector<FolderEntry> List(const std::string& folder) override {
    const std::string pattern = JoinPath(folder, "*", PathStyle::kWindows);
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW(Wide(pattern).c_str(), &data);
    std::vector<FolderEntry> entries;
    if (find == INVALID_HANDLE_VALUE) {
      if (GetLastError() == ERROR_FILE_NOT_FOUND) {
        return entries;
      }
      Fail("impossible de lire le dossier", folder.empty() ? "." : folder);
    }
    do {
      std::string name = Narrow(data.cFileName);
      if (name == "." || name == "..") {
        continue;
      }
      entries.push_back({std::move(name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileW(find, &data) != 0);
    const DWORD error = GetLastError();
    FindClose(find);
    if (error != ERROR_NO_MORE_FILES) {
      Fail("impossible de lire le dossier", folder, error);
    }
    return entries;
  }

  std::unique_ptr<InputFile> OpenRead(const std::string& path) override {
    // Others may read it too, but nobody changes it while we read it.
    HANDLE handle =
        CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                    FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      Fail("impossible d'ouvrir", path);
    }
    try {
      const FileInfo info = InfoOf(handle, path);
      if (info.kind != FileKind::kRegular && info.kind != FileKind::kFolder) {
        throw IoError("« " + path + " » est " + KindText(info.kind) + ", pas un fichier : refusé");
      }
      return std::make_unique<Win32InputFile>(handle, path, info);
    } catch (...) {
      CloseHandle(handle);
      throw;
    }
  }

  // The folder's entry for the file: its long name, in the case it was given when created.
  std::string StoredName(const std::string& path) override {
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW(Wide(path).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
      Fail("impossible d'examiner", path);
    }
    FindClose(find);
    return Narrow(data.cFileName);
  }

  std::string FollowLinks(const std::string& path) override {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
      return path;
    }
    // Opening follows the link to its end; the handle then tells where that is.
    HANDLE handle = CreateFileW(Wide(path).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (IsNotFound(error)) {
        throw IoError("« " + path + " » est un lien vers un fichier qui n'existe pas : refusé");
      }
      Fail("impossible de suivre le lien", path, error);
    }
    const HandleCloser closer(handle);
    std::vector<wchar_t> target(32768);
    const DWORD length =
        GetFinalPathNameByHandleW(handle, target.data(), static_cast<DWORD>(target.size()),
                                  FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0 || length >= target.size()) {
      Fail("impossible de suivre le lien", path);
    }
    return Narrow(target.data());
  }

  std::unique_ptr<Writer> OpenStream(const std::string& path) override {
    HANDLE handle =
        CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      Fail("impossible d'ouvrir", path);
    }
    const DWORD type = GetFileType(handle);
    if (type != FILE_TYPE_CHAR && type != FILE_TYPE_PIPE) {
      CloseHandle(handle);
      throw IoError("« " + path + " » a changé pendant l'opération : refusé");
    }
    return std::make_unique<Win32Stream>(handle, path);
  }

  std::unique_ptr<TemporaryFile> CreateTemporary(const std::string& destination) override {
    return win32::CreateTemporary(destination);
  }

  bool IsLink(const std::string& path) override {
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  }

  bool CreateFolder(const std::string& path) override {
    if (CreateDirectoryW(Wide(path).c_str(), nullptr) != 0) {
      return true;
    }
    const DWORD error = GetLastError();
    if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) {
      return false;
    }
    Fail("impossible de créer le dossier", path, error);
  }

  void RemoveEmptyFolder(const std::string& path) override { RemoveDirectoryW(Wide(path).c_str()); }

  void ApplyStamp(const std::string& path, const FileStamp& stamp) override {
    const std::wstring wide = Wide(path);
    const SYSTEMTIME local{static_cast<WORD>(stamp.year),
                           static_cast<WORD>(stamp.month),
                           0,
                           static_cast<WORD>(stamp.day),
                           static_cast<WORD>(stamp.hour),
                           static_cast<WORD>(stamp.minute),
                           static_cast<WORD>(stamp.second),
                           0};
    SYSTEMTIME universal{};
    FILETIME when{};
    if (TzSpecificLocalTimeToSystemTime(nullptr, &local, &universal) == 0 ||
        SystemTimeToFileTime(&universal, &when) == 0) {
      Fail("impossible de dater", path);
    }
    HANDLE handle = CreateFileW(wide.c_str(), FILE_WRITE_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      Fail("impossible de dater", path);
    }
    const BOOL dated = SetFileTime(handle, nullptr, nullptr, &when);
    const DWORD error = GetLastError();
    CloseHandle(handle);
    if (dated == 0) {
      Fail("impossible de dater", path, error);
    }
    constexpr std::uint16_t kKept =
        kReadOnlyAttribute | kHiddenAttribute | kSystemAttribute | kArchiveAttribute;
    const DWORD attributes =
        (stamp.attributes & kKept) != 0 ? (stamp.attributes & kKept) : FILE_ATTRIBUTE_NORMAL;
    if (SetFileAttributesW(wide.c_str(), attributes) == 0) {
      Fail("impossible de donner ses attributs à", path);
    }
  }
};

}  // namespace

std::unique_ptr<FileSystem> MakeNativeFileSystem(TemporaryKind) {
  return std::make_unique<Win32FileSystem>();
}

}  // namespace tools
