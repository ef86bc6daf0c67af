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

struct FileInfo {
  FileId id;
  bool is_folder = false;
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // in the platform's own unit: only compared with each other
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
};

// A new file beside the destination. It disappears when destroyed, unless committed; it is also
// removed if the tool is interrupted (Ctrl+C) while it exists.
class TemporaryFile : public Writer, public Reader {
 public:
  // Pushes what was written to the disk, then reading starts again from the beginning.
  virtual void Finish() = 0;
  // Renames it over `destination` (replacing a file there) in one step.
  virtual void Commit(const std::string& destination) = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // What `path` leads to, following links; nothing when it does not exist.
  virtual std::optional<FileInfo> Stat(const std::string& path) = 0;
  // The entries of a folder (an empty path means the current one), without "." and "..".
  virtual std::vector<FolderEntry> List(const std::string& folder) = 0;
  virtual std::unique_ptr<InputFile> OpenRead(const std::string& path) = 0;
  // A new temporary file in `folder` (empty: the current one).
  virtual std::unique_ptr<TemporaryFile> CreateTemporary(const std::string& folder) = 0;
};

std::unique_ptr<FileSystem> MakeNativeFileSystem();

}  // namespace tools
