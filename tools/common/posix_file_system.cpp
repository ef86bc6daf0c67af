// The file system layer on POSIX systems (the native builds used by tests and benchmarks).
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <csignal>
#include <ctime>

#include "common/failure.h"
#include "common/file_system.h"
#include "common/paths.h"
#include "common/posix_io.h"
#include "common/posix_temporary_file.h"

namespace tools {
namespace {

using posix::Fail;

FileKind KindOf(mode_t mode) {
  if (S_ISREG(mode)) {
    return FileKind::kRegular;
  }
  if (S_ISDIR(mode)) {
    return FileKind::kFolder;
  }
  if (S_ISCHR(mode)) {
    return FileKind::kDevice;
  }
  if (S_ISFIFO(mode)) {
    return FileKind::kPipe;
  }
  return S_ISSOCK(mode) ? FileKind::kSocket : FileKind::kDisk;
}

FileInfo InfoFrom(const struct stat& st) {
  FileInfo info;
  info.id = {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
  info.kind = KindOf(st.st_mode);
  info.size = static_cast<std::uint64_t>(st.st_size);
  info.modified = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
  std::tm local{};
  if (localtime_r(&st.st_mtim.tv_sec, &local) != nullptr) {
    info.stamp = {local.tm_year + 1900,
                  local.tm_mon + 1,
                  local.tm_mday,
                  local.tm_hour,
                  local.tm_min,
                  local.tm_sec,
                  0};
  }
  // What a Windows file copied from here would have: archive, and read-only when nobody may write.
  info.stamp.attributes = static_cast<std::uint16_t>(
      kArchiveAttribute | ((st.st_mode & 0222) == 0 ? kReadOnlyAttribute : 0));
  return info;
}

[[noreturn]] void RefuseKind(const std::string& path, FileKind kind) {
  throw IoError("« " + path + " » est " + KindText(kind) + ", pas un fichier : refusé");
}

class PosixInputFile final : public InputFile {
 public:
  PosixInputFile(int fd, std::string path, const FileInfo& info)
      : fd_(fd), file_{std::move(path), "de"}, info_(info) {}
  ~PosixInputFile() override { close(fd_); }
  PosixInputFile(const PosixInputFile&) = delete;
  PosixInputFile& operator=(const PosixInputFile&) = delete;

  std::size_t Read(std::span<std::uint8_t> bytes) override {
    return posix::ReadSome(fd_, bytes, file_);
  }
  const FileInfo& info() const override { return info_; }
  void Rewind() override { posix::Rewind(fd_, file_); }
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) override {
    return posix::ReadAt(fd_, offset, bytes, file_);
  }

 private:
  int fd_;
  posix::Named file_;
  FileInfo info_;
};

class PosixStream final : public Writer {
 public:
  PosixStream(int fd, std::string path) : fd_(fd), file_{std::move(path)} {}
  ~PosixStream() override { close(fd_); }
  PosixStream(const PosixStream&) = delete;
  PosixStream& operator=(const PosixStream&) = delete;

  void Write(std::span<const std::uint8_t> bytes) override { posix::WriteAll(fd_, bytes, file_); }

 private:
  int fd_;
  posix::Named file_;
};

class PosixFileSystem final : public FileSystem {
 public:
  explicit PosixFileSystem(TemporaryKind temporaries) : temporaries_(temporaries) {}

  std::optional<FileInfo> Stat(const std::string& path) override {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
      if (errno == ENOENT || errno == ENOTDIR) {
        return std::nullopt;
      }
      Fail("impossible d'examiner", path);
    }
    FileInfo info = InfoFrom(st);
    // Root may write anything; a file system mounted read-only is told when writing.
    info.read_only =
        info.kind == FileKind::kRegular && access(path.c_str(), W_OK) != 0 && errno == EACCES;
    return info;
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
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
      const int error = errno;
      struct stat st {};
      if (stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
        RefuseKind(path, KindOf(st.st_mode));  // a socket, which cannot be opened
      }
      Fail("impossible d'ouvrir", path, error);
    }
    struct stat st {};
    if (fstat(fd, &st) != 0) {
      const int error = errno;
      close(fd);
      Fail("impossible d'examiner", path, error);
    }
    const FileInfo info = InfoFrom(st);
    if (info.kind != FileKind::kRegular && info.kind != FileKind::kFolder) {
      close(fd);
      RefuseKind(path, info.kind);
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return std::make_unique<PosixInputFile>(fd, path, info);
  }

  // Linux names are exact: a file is named as it is stored.
  std::string StoredName(const std::string& path) override {
    return std::string(SplitPath(path, PathStyle::kPosix).name);
  }

  std::string FollowLinks(const std::string& path) override {
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
      struct stat st {};
      if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        return current;
      }
      std::string target(static_cast<std::size_t>(PATH_MAX), '\0');
      const ssize_t length = readlink(current.c_str(), target.data(), target.size());
      if (length < 0) {
        Fail("impossible de lire le lien", current);
      }
      target.resize(static_cast<std::size_t>(length));
      // A relative target starts from the link's own folder.
      current = target.starts_with('/') ? target
                                        : JoinPath(SplitPath(current, PathStyle::kPosix).folder,
                                                   target, PathStyle::kPosix);
      if (stat(current.c_str(), &st) != 0 && errno == ENOENT && lstat(current.c_str(), &st) != 0) {
        throw IoError("« " + path + " » est un lien vers « " + current +
                      " », qui n'existe pas : refusé");
      }
    }
    Fail("impossible de suivre le lien", path, ELOOP);
  }

  std::unique_ptr<Writer> OpenStream(const std::string& path) override {
    // A pipe without a reader makes the writes fail (EPIPE), reported, rather than end the tool.
    static_cast<void>(std::signal(SIGPIPE, SIG_IGN));
    const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
      Fail("impossible d'ouvrir", path);
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !IsStream(KindOf(st.st_mode))) {
      close(fd);
      throw IoError("« " + path + " » a changé pendant l'opération : refusé");
    }
    return std::make_unique<PosixStream>(fd, path);
  }

  std::unique_ptr<TemporaryFile> CreateTemporary(const std::string& destination) override {
    return posix::CreateTemporary(destination, temporaries_);
  }

  bool IsLink(const std::string& path) override {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
  }

  bool CreateFolder(const std::string& path) override {
    if (mkdir(path.c_str(), 0777) == 0) {
      return true;
    }
    if (errno == EEXIST) {
      return false;
    }
    Fail("impossible de créer le dossier", path);
  }

  void RemoveEmptyFolder(const std::string& path) override { rmdir(path.c_str()); }

  void ApplyStamp(const std::string& path, const FileStamp& stamp) override {
    std::tm local{};
    local.tm_year = stamp.year - 1900;
    local.tm_mon = stamp.month - 1;
    local.tm_mday = stamp.day;
    local.tm_hour = stamp.hour;
    local.tm_min = stamp.minute;
    local.tm_sec = stamp.second;
    local.tm_isdst = -1;  // whatever held on that day
    const std::time_t when = std::mktime(&local);
    const timespec times[2] = {{0, UTIME_OMIT}, {when, 0}};
    if (when == -1 || utimensat(AT_FDCWD, path.c_str(), times, 0) != 0) {
      Fail("impossible de dater", path);
    }
    if ((stamp.attributes & kReadOnlyAttribute) != 0) {
      struct stat st {};
      if (stat(path.c_str(), &st) != 0 ||
          chmod(path.c_str(), st.st_mode & 07777 & ~static_cast<mode_t>(0222)) != 0) {
        Fail("impossible de protéger en écriture", path);
      }
    }
  }

 private:
  TemporaryKind temporaries_;
};

}  // namespace

std::unique_ptr<FileSystem> MakeNativeFileSystem(TemporaryKind temporaries) {
  return std::make_unique<PosixFileSystem>(temporaries);
}

}  // namespace tools
