// What the tools need from the file system, behind a small interface with a POSIX and a Win32
// implementation. Every failure throws IoError with a French message naming the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tools {

// Identity of a file whatever the spelling of its path: device and inode on POSIX, volume serial
// number and file index on Windows. Hard links, symbolic links, short names and `..` all lead to
// the same identity.
struct FileId {
  std::uint64_t volume = 0;
  std::uint64_t index = 0;
  friend bool operator==(const FileId&, const FileId&) = default;
};

enum class FileKind : std::uint8_t {
  kRegular,
  kFolder,
  kDevice,  // a character device: /dev/null, NUL, CON...
  kPipe,
  kSocket,
  kDisk,  // a block device, a disk or a volume
};

// Devices and pipes take the output straight through, as they take any tool's.
inline bool IsStream(FileKind kind) {
  return kind == FileKind::kDevice || kind == FileKind::kPipe;
}

inline constexpr std::uint16_t kReadOnlyAttribute = 0x01;
inline constexpr std::uint16_t kHiddenAttribute = 0x02;
inline constexpr std::uint16_t kSystemAttribute = 0x04;
inline constexpr std::uint16_t kArchiveAttribute = 0x20;

// What a file extracted from an archive takes from it: its date and time of last change (local
// time, as stored) and its attributes (read-only 0x01, hidden 0x02, system 0x04, archive 0x20).
struct FileStamp {
  int year = 1980;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
  std::uint16_t attributes = 0;
};

struct FileInfo {
  FileId id;  // zero for a Windows device, which has none
  FileKind kind = FileKind::kRegular;
  // A regular file that its read-only attribute (Windows) or its permissions (POSIX) keep this
  // user from writing.
  bool read_only = false;
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // in the platform's own unit: only compared with each other
  FileStamp stamp;            // a regular file's local time of last change and attributes
};

struct FolderEntry {
  std::string name;
  bool is_folder = false;
};

class Reader {
 public:
  virtual ~Reader() = default;
  // Fills up to bytes.size() bytes and returns how many; 0 only at the end.
  virtual std::size_t Read(std::span<std::uint8_t> bytes) = 0;
};

class Writer {
 public:
  virtual ~Writer() = default;
  virtual void Write(std::span<const std::uint8_t> bytes) = 0;
};

// A source file, opened for reading only.
class InputFile : public Reader {
 public:
  virtual const FileInfo& info() const = 0;
  virtual void Rewind() = 0;
  // Fills `bytes` from `offset` and returns how many there were: fewer only at the end of the
  // file. Leaves the position of Read() undefined.
  virtual std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes) = 0;
};

// The output being made for one destination file, in that file's folder. Where the platform
// allows, it has no name until committed (Linux), or the system deletes it if the tool dies
// (Windows); otherwise it is a named temporary file, removed if the tool is interrupted (Ctrl+C,
// termination signal). Destroyed uncommitted, it leaves nothing.
class TemporaryFile : public Writer, public Reader {
 public:
  // Writes `bytes` again over what was written at `offset` (a header whose sizes are known only
  // at the end); later writes go on at the end.
  virtual void WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) = 0;
  // Writing is over: reading starts again from the beginning.
  virtual void Finish() = 0;
  // Puts the file in the destination's place in one step. A file already there is replaced, once
  // the new one is on the disk, and keeps its permissions: mode, and owner and group where the user
  // may set them, on POSIX; its security descriptor and attributes on Windows.
  virtual void Commit() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // What `path` leads to, following links; nothing when it does not exist.
  virtual std::optional<FileInfo> Stat(const std::string& path) = 0;
  // The entries of a folder (an empty path means the current one), without "." and "..".
  virtual std::vector<FolderEntry> List(const std::string& folder) = 0;
  // A regular file (or a folder, which the caller refuses with its own words); anything else
  // fails with a message that says what it is.
  virtual std::unique_ptr<InputFile> OpenRead(const std::string& path) = 0;
  // The last component of `path` as the folder stores it: on Windows the long name, in the case
  // of its letters, of a file given by its short alias; elsewhere the component as given.
  virtual std::string StoredName(const std::string& path) = 0;
  // The file that `path` names once symbolic links in its last component are followed (`path`
  // itself when it is no link, or names nothing). Throws IoError for a link that leads nowhere.
  virtual std::string FollowLinks(const std::string& path) = 0;
  // An existing character device or pipe, opened for writing straight through.
  virtual std::unique_ptr<Writer> OpenStream(const std::string& path) = 0;
  // The temporary file that will become `destination` (a regular file or nothing yet, links
  // followed already), in its folder.
  virtual std::unique_ptr<TemporaryFile> CreateTemporary(const std::string& destination) = 0;

  // Whether `path` is itself a symbolic link (on Windows any reparse point: links and junctions).
  virtual bool IsLink(const std::string& path) = 0;
  // Makes the folder `path`, whose parent exists. False when something of that name was there
  // already (the caller looks at what).
  virtual bool CreateFolder(const std::string& path) = 0;
  // Removes the folder `path` if it is empty; nothing happens otherwise.
  virtual void RemoveEmptyFolder(const std::string& path) = 0;
  // Gives the file its stamp's date and time; on Windows its attributes too, elsewhere a
  // read-only file loses its write permissions.
  virtual void ApplyStamp(const std::string& path, const FileStamp& stamp) = 0;
};

// How a POSIX file system makes its temporary files. Only tests ask for the named kind, which is
// otherwise the fallback on file systems without unnamed files.
enum class TemporaryKind : std::uint8_t { kUnnamedWherePossible, kNamed };

std::unique_ptr<FileSystem> MakeNativeFileSystem(
    TemporaryKind temporaries = TemporaryKind::kUnnamedWherePossible);

// "un dossier", "un périphérique"...: what a file of that kind is, for messages.
const char* KindText(FileKind kind);

}  // namespace tools
