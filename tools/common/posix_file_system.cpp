// The file system layer on POSIX systems (the native builds used by tests and benchmarks).
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <random>

#include "common/failure.h"
#include "common/file_system.h"
#include "common/interrupt_cleanup.h"
#include "common/paths.h"

namespace tools {
namespace {

std::string Describe(int error) {
  switch (error) {
    case ENOENT:
      return "fichier ou dossier introuvable";
    case ENOTDIR:
      return "un élément du chemin n'est pas un dossier";
    case EACCES:
    case EPERM:
      return "accès refusé";
    case EROFS:
      return "support en lecture seule";
    case ENOSPC:
      return "disque plein";
    case EDQUOT:
      return "quota de disque dépassé";
    case EFBIG:
      return "taille de fichier maximale dépassée";
    case EISDIR:
      return "c'est un dossier";
    case EIO:
      return "erreur d'entrée-sortie";
    case ENAMETOOLONG:
      return "nom trop long";
    case ELOOP:
      return "trop de liens symboliques";
    case EMFILE:
    case ENFILE:
      return "trop de fichiers ouverts";
    case ENOMEM:
      return "mémoire insuffisante";
    default:
      return "erreur système " + std::to_string(error) + " (" + std::strerror(error) + ")";
  }
}

[[noreturn]] void Fail(const std::string& what, const std::string& path, int error = errno) {
  throw IoError(what + " « " + path + " » : " + Describe(error));
}

FileInfo InfoFrom(const struct stat& st) {
  FileInfo info;
  info.id = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
  info.is_folder = S_ISDIR(st.st_mode);
  info.size = static_cast<std::uint64_t>(st.st_size);
  info.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
  return info;
}

// Reads what is there, retrying after signals; 0 at the end.
std::size_t ReadSome(int fd, std::span<std::uint8_t> bytes, const std::string& path) {
  while (true) {
    const ssize_t got = read(fd, bytes.data(), bytes.size());
    if (got >= 0) {
      return static_cast<std::size_t>(got);
    }
    if (errno != EINTR) {
      Fail("lecture impossible de", path);
    }
  }
}

void Seek(int fd, const std::string& path) {
  if (lseek(fd, 0, SEEK_SET) != 0) {
    Fail("retour au début impossible dans", path);
  }
}

class PosixInputFile final : public InputFile {
 public:
  PosixInputFile(int fd, std::string path, const FileInfo& info)
      : fd_(fd), path_(std::move(path)), info_(info) {}
  ~PosixInputFile() override { close(fd_); }
  PosixInputFile(const PosixInputFile&) = delete;
  PosixInputFile& operator=(const PosixInputFile&) = delete;

  std::size_t Read(std::span<std::uint8_t> bytes) override { return ReadSome(fd_, bytes, path_); }
  const FileInfo& info() const override { return info_; }
  void Rewind() override { Seek(fd_, path_); }

 private:
  int fd_;
  std::string path_;
  FileInfo info_;
};

class PosixTemporaryFile final : public TemporaryFile {
 public:
  PosixTemporaryFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {
    WatchTemporaryFile(path_);
  }
  ~PosixTemporaryFile() override {
    const InterruptionsHeld held;
    if (fd_ >= 0) {
      close(fd_);
    }
    if (!committed_) {
      unlink(path_.c_str());
    }
    ForgetTemporaryFile();
  }
  PosixTemporaryFile(const PosixTemporaryFile&) = delete;
  PosixTemporaryFile& operator=(const PosixTemporaryFile&) = delete;

  void Write(std::span<const std::uint8_t> bytes) override {
    while (!bytes.empty()) {
      const ssize_t done = write(fd_, bytes.data(), bytes.size());
      if (done < 0 && errno == EINTR) {
        continue;
      }
      if (done <= 0) {
        Fail("écriture impossible dans", path_, done < 0 ? errno : ENOSPC);
      }
      bytes = bytes.subspan(static_cast<std::size_t>(done));
    }
  }
  std::size_t Read(std::span<std::uint8_t> bytes) override { return ReadSome(fd_, bytes, path_); }
  void Finish() override {
    if (fsync(fd_) != 0) {
      Fail("écriture impossible dans", path_);
    }
    Seek(fd_, path_);
  }
  void Commit(const std::string& destination) override {
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) {
      Fail("écriture impossible dans", path_);
    }
    if (rename(path_.c_str(), destination.c_str()) != 0) {
      Fail("impossible de remplacer", destination);
    }
    committed_ = true;
  }

 private:
  int fd_;
  std::string path_;
  bool committed_ = false;
};

class PosixFileSystem final : public FileSystem {
 public:
  std::optional<FileInfo> Stat(const std::string& path) override {
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) {
      return InfoFrom(st);
    }
    if (errno == ENOENT || errno == ENOTDIR) {
      return std::nullopt;
    }
    Fail("impossible d'examiner", path);
  }

  std::vector<FolderEntry> List(const std::string& folder) override {
    const std::string where = folder.empty() ? "." : folder;
    DIR* dir = opendir(where.c_str());
    if (dir == nullptr) {
      Fail("impossible de lire le dossier", where);
    }
    std::vector<FolderEntry> entries;
    errno = 0;
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name == "." || name == "..") {
        continue;
      }
      struct stat st {};
      // A link counts as what it leads to; a broken one as a file, refused when opened.
      const bool is_folder = fstatat(dirfd(dir), name.c_str(), &st, 0) == 0 && S_ISDIR(st.st_mode);
      entries.push_back({name, is_folder});
      errno = 0;
    }
    const int error = errno;
    closedir(dir);
    if (error != 0) {
      Fail("impossible de lire le dossier", where, error);
    }
    return entries;
  }

  std::unique_ptr<InputFile> OpenRead(const std::string& path) override {
    // Non-blocking, so that a named pipe cannot hang the open; only plain files are read anyway.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
      Fail("impossible d'ouvrir", path);
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))) {
      const int error = errno;
      close(fd);
      if (error != 0) {
        Fail("impossible d'examiner", path, error);
      }
      throw IoError("« " + path + " » n'est pas un fichier ordinaire");
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return std::make_unique<PosixInputFile>(fd, path, InfoFrom(st));
  }

  std::unique_ptr<TemporaryFile> CreateTemporary(const std::string& folder) override {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::array<char, 8> digits{};
      auto* const end = std::to_chars(digits.begin(), digits.end(), random(), 16).ptr;
      const std::string name = "~tf" + std::string(digits.begin(), end) + ".tmp";
      const std::string path = JoinPath(folder, name, PathStyle::kPosix);
      const InterruptionsHeld held;
      const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd >= 0) {
        return std::make_unique<PosixTemporaryFile>(fd, path);
      }
      if (errno != EEXIST) {
        Fail("impossible de créer un fichier dans le dossier", folder.empty() ? "." : folder);
      }
    }
    throw IoError("impossible de créer un fichier temporaire dans « " + folder + " »");
  }
};

}  // namespace

std::unique_ptr<FileSystem> MakeNativeFileSystem() {
  return std::make_unique<PosixFileSystem>();
}

}  // namespace tools
