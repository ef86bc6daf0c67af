#include "common/posix_temporary_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <charconv>
#include <random>

#include "common/failure.h"
#include "common/interrupt_cleanup.h"
#include "common/paths.h"
#include "common/posix_io.h"

namespace tools::posix {
namespace {

constexpr mode_t kPrivateMode = 0600;
constexpr mode_t kDefaultMode = 0666;

std::string RandomName(const std::string& folder) {
  static std::mt19937 random{std::random_device{}()};
  std::array<char, 8> digits{};
  auto* const end = std::to_chars(digits.begin(), digits.end(), random(), 16).ptr;
  return JoinPath(folder, "~tf" + std::string(digits.begin(), end) + ".tmp", PathStyle::kPosix);
}

mode_t CurrentUmask() {
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}

// An unnamed file is linked by its /proc/self/fd entry, which an unprivileged user may do.
std::string ProcPath(int fd) {
  return "/proc/self/fd/" + std::to_string(fd);
}

#ifdef O_TMPFILE
bool UnnamedFilesPossible() {
  return access("/proc/self/fd", X_OK) == 0;
}
#endif

class PosixTemporaryFile final : public TemporaryFile {
 public:
  // `name` is empty for an unnamed file.
  PosixTemporaryFile(int fd, std::string destination, std::string name, bool private_mode)
      : fd_(fd),
        destination_(std::move(destination)),
        folder_(SplitPath(destination_, PathStyle::kPosix).folder),
        name_(std::move(name)),
        private_mode_(private_mode) {
    if (!name_.empty()) {
      WatchTemporaryFile(name_);
    }
  }
  ~PosixTemporaryFile() override {
    const InterruptionsHeld held;
    if (fd_ >= 0) {
      close(fd_);
    }
    if (!committed_ && !name_.empty()) {
      unlink(name_.c_str());
    }
    ForgetTemporaryFile();
  }
  PosixTemporaryFile(const PosixTemporaryFile&) = delete;
  PosixTemporaryFile& operator=(const PosixTemporaryFile&) = delete;

  void Write(std::span<const std::uint8_t> bytes) override { WriteAll(fd_, bytes, Shown()); }
  void WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) override {
    posix::WriteAt(fd_, offset, bytes, Shown());
  }
  std::size_t Read(std::span<std::uint8_t> bytes) override { return ReadSome(fd_, bytes, Shown()); }
  void Finish() override { posix::Rewind(fd_, Shown()); }

  void Commit() override {
    const InterruptionsHeld held;
    struct stat replaced {};
    const bool replacing = lstat(destination_.c_str(), &replaced) == 0;
    if (replacing) {
      PushToDisk();
      KeepPermissions(replaced);
    } else if (private_mode_) {
      SetMode(kDefaultMode & ~CurrentUmask());
    }
    if (name_.empty()) {
      LinkInPlace(replacing);
    } else {
      RenameInPlace();
    }
    committed_ = true;
  }

 private:
  // The file named in messages: its own name, or the destination it is made for.
  Named Shown() const {
    return name_.empty() ? Named{destination_, "du fichier temporaire de"} : Named{name_};
  }

  // A file that takes another's place is on the disk before it does, so that a power cut
  // cannot leave the destination empty: the old file or the new one, whole. A new file, like any
  // program's output, is left to the system's cache.
  void PushToDisk() {
    if (fsync(fd_) != 0) {
      Fail("écriture impossible " + Shown().in, Shown().path);
    }
  }

  void SetMode(mode_t mode) {
    if (fchmod(fd_, mode) != 0) {
      Fail("impossible de régler les droits du résultat pour", destination_);
    }
  }

  // The replaced file's owner and group where the user may give them (root may; a user may give
  // a group of his), then its mode. A set-user or set-group bit goes only with the owner or
  // group it was for, so that a file of ours never runs with someone else's rights.
  void KeepPermissions(const struct stat& replaced) {
    const bool owner_kept = fchown(fd_, replaced.st_uid, static_cast<gid_t>(-1)) == 0;
    const bool group_kept = fchown(fd_, static_cast<uid_t>(-1), replaced.st_gid) == 0;
    mode_t mode = replaced.st_mode & 07777;
    if (!owner_kept) {
      mode &= ~static_cast<mode_t>(S_ISUID);
    }
    if (!group_kept) {
      mode &= ~static_cast<mode_t>(S_ISGID);
    }
    SetMode(mode);
  }

  void LinkInPlace(bool replacing) {
    const std::string proc = ProcPath(fd_);
    if (!replacing) {
      if (linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, destination_.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        return;
      }
      if (errno != EEXIST) {
        Fail("impossible de créer", destination_);
      }
      // Created by someone else meanwhile: replaced like any other file.
      PushToDisk();
      struct stat appeared {};
      if (lstat(destination_.c_str(), &appeared) == 0) {
        KeepPermissions(appeared);
      }
    }
    // A link cannot take the place of an existing name: for the instant of one rename, the file
    // has a temporary name. Only a kill or a power cut in that instant can leave it, complete.
    std::string name = RandomName(folder_);
    while (linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) != 0) {
      if (errno != EEXIST) {
        Fail("impossible de créer un fichier dans le dossier", folder_.empty() ? "." : folder_);
      }
      name = RandomName(folder_);
    }
    if (rename(name.c_str(), destination_.c_str()) != 0) {
      const int error = errno;
      unlink(name.c_str());
      Fail("impossible de remplacer", destination_, error);
    }
  }

  void RenameInPlace() {
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) {
      Fail("écriture impossible dans", name_);  // a late write failure, on some network systems
    }
    if (rename(name_.c_str(), destination_.c_str()) != 0) {
      Fail("impossible de remplacer", destination_);
    }
  }

  int fd_;
  std::string destination_;
  std::string folder_;
  std::string name_;
  bool private_mode_;
  bool committed_ = false;
};

}  // namespace

std::unique_ptr<TemporaryFile> CreateTemporary(const std::string& destination, TemporaryKind kind) {
  const std::string folder(SplitPath(destination, PathStyle::kPosix).folder);
  const std::string where = folder.empty() ? "." : folder;
  // A file that replaces another stays private until it takes that file's permissions, so that
  // its data is never more widely readable than the file's; a new one gets the system's default.
  struct stat existing {};
  const bool replacing = lstat(destination.c_str(), &existing) == 0;
  const mode_t mode = replacing ? kPrivateMode : kDefaultMode;
#ifdef O_TMPFILE
  if (kind == TemporaryKind::kUnnamedWherePossible && UnnamedFilesPossible()) {
    const int fd = open(where.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode);
    if (fd >= 0) {
      return std::make_unique<PosixTemporaryFile>(fd, destination, "", replacing);
    }
    // Older kernels answer EISDIR, file systems without unnamed files EOPNOTSUPP.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
      Fail("impossible de créer un fichier dans le dossier", where);
    }
  }
#else
  static_cast<void>(kind);
#endif
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string name = RandomName(folder);
    const InterruptionsHeld held;
    const int fd = open(name.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) {
      return std::make_unique<PosixTemporaryFile>(fd, destination, name, replacing);
    }
    if (errno != EEXIST) {
      Fail("impossible de créer un fichier dans le dossier", where);
    }
  }
  throw IoError("impossible de créer un fichier temporaire dans « " + where + " »");
}

}  // namespace tools::posix
