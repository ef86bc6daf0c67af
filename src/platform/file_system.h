// The file-system port: what the program needs of drives, folders and path forms. Paths are Windows
// paths (a drive letter, a colon, "\" as separator; a drive root ends with "\"), of any length the
// file system allows. Every operation that cannot be done raises PlatformError, except ShortPath
// and NormalFileName, whose failure is an empty text.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tassefiche {

// File attribute bits, with the values Windows gives them.
enum FileAttribute : std::uint32_t {
  kAttrReadOnly = 0x01,
  kAttrHidden = 0x02,
  kAttrSystem = 0x04,
  kAttrDirectory = 0x10,
  kAttrArchive = 0x20,
};

struct DriveInfo {
  wchar_t letter = L'C';  // upper case
  std::wstring label;     // volume label; empty when none or when the drive is not ready
  bool ready = true;
};

struct DirectoryEntry {
  std::wstring name;  // long name
  std::uint32_t attributes = 0;
  bool operator==(const DirectoryEntry&) const = default;
};

// An existing file or folder, found by ResolvePath.
struct ResolvedPath {
  std::wstring path;  // full and long, with the letter case stored on disk
  bool folder = false;
};

// A watch over the files and sub-folders of one folder (names and attributes), kept as long as the
// object lives.
class FolderWatch {
 public:
  virtual ~FolderWatch() = default;
  // True when the folder may have changed since the watch began or since the last Rearm.
  virtual bool Changed() = 0;
  // Changes count from now on. Called before the folder is read, so that none is lost.
  virtual void Rearm() = 0;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The drives present, in letter order.
  virtual std::vector<DriveInfo> Drives() = 0;
  // The process's current directory, as a full long path.
  virtual std::wstring CurrentDirectory() = 0;
  // Makes a folder the process's current directory.
  virtual void ChangeDirectory(std::wstring_view path) = 0;
  // The current folder of a drive (its root when none was set); fails when the drive cannot be
  // read.
  virtual std::wstring DriveCurrentDirectory(wchar_t letter) = 0;
  // The full long path, with the letter case stored on disk, of an existing folder given by an
  // absolute path or by a path relative to `base`; fails when there is no such folder.
  virtual std::wstring ResolveFolder(std::wstring_view path, std::wstring_view base) = 0;
  // The same for a file or a folder, given by an absolute path, a path relative to `base` or a
  // short form; fails, saying what kind of failure it is, when nothing is there or its drive is not
  // ready.
  virtual ResolvedPath ResolvePath(std::wstring_view path, std::wstring_view base) = 0;
  // The entries of a folder (files and sub-folders, without "." and ".."), in no particular order.
  virtual std::vector<DirectoryEntry> ListFolder(std::wstring_view folder) = 0;
  // The short (8.3) form of an existing path: components longer than the 8.3 form are replaced by
  // their alias. Empty text when the platform gives none.
  virtual std::wstring ShortPath(std::wstring_view path) = 0;
  // Creates one folder at a full path whose parent exists. Fails, saying what kind of failure it
  // is, when a file or folder of that name exists, the drive is not ready, the parent is missing,
  // access is refused or the file system refuses the name.
  virtual void CreateFolder(std::wstring_view path) = 0;
  // The name of the file at `path` (a full path, no wildcards) when it exists with normal
  // attributes, that is neither hidden nor a system file nor a folder; empty text otherwise.
  virtual std::wstring NormalFileName(std::wstring_view path) = 0;
  // The platform's system folder (where its own tools live), as the platform reports it.
  virtual std::wstring SystemFolder() = 0;
  // Starts watching a folder. After a change, `on_change` runs once between handlers, and not again
  // before the next Rearm. Null when the folder cannot be watched (a share that refuses it, say):
  // the caller then reads the folder every time.
  virtual std::unique_ptr<FolderWatch> WatchFolder(std::wstring_view folder,
                                                   std::function<void()> on_change) = 0;
};

}  // namespace tassefiche
