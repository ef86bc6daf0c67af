// The file system layer on Windows: wide API calls, identities from GetFileInformationByHandle.
#include <windows.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <random>

#include "common/failure.h"
#include "common/file_system.h"
#include "common/interrupt_cleanup.h"
#include "common/paths.h"
#include "shared/utf.h"

namespace tools {
namespace {

std::wstring Wide(const std::string& text) {
  const std::u16string units = shared::Utf8ToUtf16(text);
  return {units.begin(), units.end()};
}

std::string Narrow(const wchar_t* text) {
  const std::wstring_view view(text);
  return shared::Utf16ToUtf8(std::u16string(view.begin(), view.end()));
}

std::string Describe(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return "fichier ou dossier introuvable";
    case ERROR_ACCESS_DENIED:
      return "accès refusé";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return "fichier utilisé par un autre programme";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return "disque plein";
    case ERROR_WRITE_PROTECT:
      return "support protégé en écriture";
    case ERROR_NOT_READY:
      return "lecteur non prêt";
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
      return "nom invalide";
    case ERROR_FILENAME_EXCED_RANGE:
      return "nom trop long";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return "mémoire insuffisante";
    case ERROR_CRC:
      return "erreur de lecture du support";
    case ERROR_NETNAME_DELETED:
    case ERROR_UNEXP_NET_ERR:
      return "connexion réseau perdue";
    default:
      return "erreur système " + std::to_string(error);
  }
}

[[noreturn]] void Fail(const std::string& what, const std::string& path,
                       DWORD error = GetLastError()) {
  throw IoError(what + " « " + path + " » : " + Describe(error));
}

FileInfo InfoFrom(const BY_HANDLE_FILE_INFORMATION& data) {
  FileInfo info;
  info.id = {data.dwVolumeSerialNumber,
             (static_cast<std::uint64_t>(data.nFileIndexHigh) << 32) | data.nFileIndexLow};
  info.is_folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  info.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  info.modified = static_cast<std::int64_t>(
      (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
      data.ftLastWriteTime.dwLowDateTime);
  return info;
}

FileInfo InfoOf(HANDLE handle, const std::string& path) {
  BY_HANDLE_FILE_INFORMATION data{};
  if (GetFileInformationByHandle(handle, &data) == 0) {
    Fail("impossible d'examiner", path);
  }
  return InfoFrom(data);
}

std::size_t ReadSome(HANDLE handle, std::span<std::uint8_t> bytes, const std::string& path) {
  DWORD got = 0;
  const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
  if (ReadFile(handle, bytes.data(), wanted, &got, nullptr) == 0) {
    Fail("lecture impossible de", path);
  }
  return got;
}

void Seek(HANDLE handle, const std::string& path) {
  if (SetFilePointerEx(handle, LARGE_INTEGER{}, nullptr, FILE_BEGIN) == 0) {
    Fail("retour au début impossible dans", path);
  }
}

class Win32InputFile final : public InputFile {
 public:
  Win32InputFile(HANDLE handle, std::string path, const FileInfo& info)
      : handle_(handle), path_(std::move(path)), info_(info) {}
  ~Win32InputFile() override { CloseHandle(handle_); }
  Win32InputFile(const Win32InputFile&) = delete;
  Win32InputFile& operator=(const Win32InputFile&) = delete;

  std::size_t Read(std::span<std::uint8_t> bytes) override {
    return ReadSome(handle_, bytes, path_);
  }
  const FileInfo& info() const override { return info_; }
  void Rewind() override { Seek(handle_, path_); }

 private:
  HANDLE handle_;
  std::string path_;
  FileInfo info_;
};

class Win32TemporaryFile final : public TemporaryFile {
 public:
  Win32TemporaryFile(HANDLE handle, std::string path) : handle_(handle), path_(std::move(path)) {
    WatchTemporaryFile(path_);
  }
  ~Win32TemporaryFile() override {
    const InterruptionsHeld held;
    if (handle_ != INVALID_HANDLE_VALUE) {
      CloseHandle(handle_);
    }
    if (!committed_) {
      DeleteFileW(Wide(path_).c_str());
    }
    ForgetTemporaryFile();
  }
  Win32TemporaryFile(const Win32TemporaryFile&) = delete;
  Win32TemporaryFile& operator=(const Win32TemporaryFile&) = delete;

  void Write(std::span<const std::uint8_t> bytes) override {
    while (!bytes.empty()) {
      DWORD done = 0;
      const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
      if (WriteFile(handle_, bytes.data(), wanted, &done, nullptr) == 0) {
        Fail("écriture impossible dans", path_);
      }
      if (done == 0) {
        Fail("écriture impossible dans", path_, ERROR_DISK_FULL);
      }
      bytes = bytes.subspan(done);
    }
  }
  std::size_t Read(std::span<std::uint8_t> bytes) override {
    return ReadSome(handle_, bytes, path_);
  }
  void Finish() override {
    if (FlushFileBuffers(handle_) == 0) {
      Fail("écriture impossible dans", path_);
    }
    Seek(handle_, path_);
  }
  void Commit(const std::string& destination) override {
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (CloseHandle(handle) == 0) {
      Fail("écriture impossible dans", path_);
    }
    if (MoveFileExW(Wide(path_).c_str(), Wide(destination).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
      Fail("impossible de remplacer", destination);
    }
    committed_ = true;
  }

 private:
  HANDLE handle_;
  std::string path_;
  bool committed_ = false;
};

class Win32FileSystem final : public FileSystem {
 public:
  std::optional<FileInfo> Stat(const std::string& path) override {
    // Attributes only: no sharing conflict with a file that is open, even our own source.
    HANDLE handle = CreateFileW(Wide(path).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
          error == ERROR_INVALID_NAME) {
        return std::nullopt;
      }
      Fail("impossible d'examiner", path, error);
    }
    try {
      const FileInfo info = InfoOf(handle, path);
      CloseHandle(handle);
      return info;
    } catch (...) {
      CloseHandle(handle);
      throw;
    }
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
      if (!info.is_folder && GetFileType(handle) != FILE_TYPE_DISK) {
        throw IoError("« " + path + " » n'est pas un fichier ordinaire");
      }
      return std::make_unique<Win32InputFile>(handle, path, info);
    } catch (...) {
      CloseHandle(handle);
      throw;
    }
  }

  std::unique_ptr<TemporaryFile> CreateTemporary(const std::string& folder) override {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
      // An 8.3 name, so that the folder's short names are not disturbed.
      std::array<char, 5> digits{};
      auto* const end = std::to_chars(digits.begin(), digits.end(), random() & 0xFFFFF, 16).ptr;
      const std::string name = "~TF" + std::string(digits.begin(), end) + ".TMP";
      const std::string path = JoinPath(folder, name, PathStyle::kWindows);
      // Shared for deletion only, so that an interruption can remove it.
      const InterruptionsHeld held;
      HANDLE handle =
          CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_DELETE, nullptr,
                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle != INVALID_HANDLE_VALUE) {
        return std::make_unique<Win32TemporaryFile>(handle, path);
      }
      const DWORD error = GetLastError();
      if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
        Fail("impossible de créer un fichier dans le dossier", folder.empty() ? "." : folder,
             error);
      }
    }
    throw IoError("impossible de créer un fichier temporaire dans « " + folder + " »");
  }
};

}  // namespace

std::unique_ptr<FileSystem> MakeNativeFileSystem() {
  return std::make_unique<Win32FileSystem>();
}

}  // namespace tools
