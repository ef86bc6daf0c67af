#include "common/win32_temporary_file.h"

#include <array>
#include <charconv>
#include <random>

#include "common/failure.h"
#include "common/interrupt_cleanup.h"
#include "common/paths.h"
#include "common/win32_io.h"

namespace tools::win32 {
namespace {

// The handle's delete disposition: set, the system deletes the file when its last handle closes,
// which it does itself when the process ends.
bool MarkForDeletion(HANDLE handle, bool marked) {
  FILE_DISPOSITION_INFO disposition{static_cast<BOOLEAN>(marked ? TRUE : FALSE)};
  return SetFileInformationByHandle(handle, FileDispositionInfo, &disposition,
                                    sizeof(disposition)) != 0;
}

class Win32TemporaryFile final : public TemporaryFile {
 public:
  Win32TemporaryFile(HANDLE handle, std::string destination, std::string path)
      : handle_(handle), destination_(std::move(destination)), path_(std::move(path)) {
    marked_ = MarkForDeletion(handle_, true);
    if (!marked_) {
      WatchTemporaryFile(path_);
    }
  }
  ~Win32TemporaryFile() override {
    const InterruptionsHeld held;
    if (handle_ != INVALID_HANDLE_VALUE) {
      CloseHandle(handle_);  // marked, this deletes it
    }
    if (!committed_ && !only_copy_) {
      DeleteFileW(Wide(path_).c_str());
    }
    ForgetTemporaryFile();
  }
  Win32TemporaryFile(const Win32TemporaryFile&) = delete;
  Win32TemporaryFile& operator=(const Win32TemporaryFile&) = delete;

  void Write(std::span<const std::uint8_t> bytes) override { WriteAll(handle_, bytes, {path_}); }
  void WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
    win32::WriteAt(handle_, offset, bytes, {path_});
  }
  std::size_t Read(std::span<std::uint8_t> bytes) override {
    return ReadSome(handle_, bytes, {path_, "de"});
  }
  void Finish() override { win32::Rewind(handle_, {path_}); }

  void Commit() override {
    const InterruptionsHeld held;
    const DWORD replaced = GetFileAttributesW(Wide(destination_).c_str());
    // A file that takes another's place is on the disk before it does: the old file or the new
    // one, whole, whatever happens. A new file, like any program's output, is left to the cache.
    if (replaced != INVALID_FILE_ATTRIBUTES && FlushFileBuffers(handle_) == 0) {
      Fail("écriture impossible dans", path_);
    }
    if (replaced != INVALID_FILE_ATTRIBUTES) {
      TakeAttributes(replaced);
    }
    // From here to the rename, a kill could leave the file: an instant, with nothing in between.
    if (marked_) {
      if (!MarkForDeletion(handle_, false)) {
        Fail("impossible de garder", path_);
      }
      marked_ = false;
      WatchTemporaryFile(path_);
    }
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (CloseHandle(handle) == 0) {
      Fail("écriture impossible dans", path_);
    }
    if (replaced != INVALID_FILE_ATTRIBUTES) {
      Replace();
    } else if (MoveFileExW(Wide(path_).c_str(), Wide(destination_).c_str(),
                           MOVEFILE_WRITE_THROUGH) == 0) {
      const DWORD error = GetLastError();
      if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) {
        Fail("impossible de créer", destination_, error);
      }
      Replace();  // made by someone else meanwhile: replaced like any other file
    }
    committed_ = true;
    ForgetTemporaryFile();
  }

 private:
  // The replaced file's attributes that a user sets (hidden, system...). The system's replacement
  // carries them over too, where it does; not every implementation does (Wine's does not).
  void TakeAttributes(DWORD replaced) {
    constexpr DWORD kCarried = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                               FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    FILE_BASIC_INFO basic{};  // times left at zero: unchanged
    basic.FileAttributes = replaced & kCarried;
    if (basic.FileAttributes != 0 &&
        SetFileInformationByHandle(handle_, FileBasicInfo, &basic, sizeof(basic)) == 0) {
      Fail("impossible de donner ses attributs au résultat pour", destination_);
    }
  }

  void Replace() {
    if (ReplaceFileW(Wide(destination_).c_str(), Wide(path_).c_str(), nullptr, 0, nullptr,
                     nullptr) != 0) {
      return;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
      Fail("impossible de remplacer", destination_, error);
    }
    // The replaced file is gone already and the result still has its temporary name.
    if (MoveFileExW(Wide(path_).c_str(), Wide(destination_).c_str(), MOVEFILE_WRITE_THROUGH) != 0) {
      return;
    }
    only_copy_ = true;
    throw CommitError("« " + destination_ +
                      " » a été retiré, mais le résultat n'a pas pu prendre " +
                      "sa place : il est dans « " + path_ + " »");
  }

  HANDLE handle_;
  std::string destination_;
  std::string path_;
  bool marked_ = false;
  bool committed_ = false;
  bool only_copy_ = false;  // the data exists nowhere else: never deleted
};

}  // namespace

std::unique_ptr<TemporaryFile> CreateTemporary(const std::string& destination) {
  const std::string folder(SplitPath(destination, PathStyle::kWindows).folder);
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 100; ++attempt) {
    // An 8.3 name, so that the folder's short names are not disturbed.
    std::array<char, 5> digits{};
    auto* const end = std::to_chars(digits.begin(), digits.end(), random() & 0xFFFFF, 16).ptr;
    const std::string path =
        JoinPath(folder, "~TF" + std::string(digits.begin(), end) + ".TMP", PathStyle::kWindows);
    // DELETE access for the mark; shared for deletion, so that an interruption can remove it
    // where the mark could not be set.
    const InterruptionsHeld held;
    HANDLE handle =
        CreateFileW(Wide(path).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, FILE_SHARE_DELETE,
                    nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      return std::make_unique<Win32TemporaryFile>(handle, destination, path);
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
      Fail("impossible de créer un fichier dans le dossier", folder.empty() ? "." : folder, error);
    }
  }
  throw IoError("impossible de créer un fichier temporaire dans « " + folder + " »");
}

}  // namespace tools::win32
