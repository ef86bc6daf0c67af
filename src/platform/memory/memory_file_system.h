// An in-memory file system with the semantics of Windows that the program meets: drive letters,
// each with its own current folder; names compared without regard to letter case; long names
// with 8.3 aliases generated as Windows generates them (notes.data_ -> NOTES~1.DAT); file
// attributes; drives that are not ready; the names that Windows refuses; folders that refuse
// writes; folder watches whose changes arrive through the in-memory event loop; and failures of any
// operation on demand. Failures say their kind and give Windows's
// French reason.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/memory/memory_event_loop.h"

namespace tassefiche {

class MemoryFileSystem : public FileSystem {
 public:
  enum class Operation {
    kDrives,
    kCurrentDirectory,
    kChangeDirectory,
    kDriveCurrentDirectory,
    kResolveFolder,
    kResolvePath,
    kListFolder,
    kShortPath,
    kCreateFolder,
  };

  // Without a loop, no folder can be watched.
  explicit MemoryFileSystem(MemoryEventLoop* loop = nullptr);
  ~MemoryFileSystem() override;

  // Set-up. Paths are absolute; missing parent folders are created. A volume without short names
  // (as many modern disks are) gives no aliases: its short forms are its long paths.
  void AddDrive(wchar_t letter, std::wstring_view label = {}, bool ready = true,
                bool short_names = true);
  void SetReady(wchar_t letter, bool ready);
  void AddFolder(std::wstring_view path);
  void AddFile(std::wstring_view path, std::uint32_t attributes = kAttrArchive);
  void Remove(std::wstring_view path);
  void SetAttributes(std::wstring_view path, std::uint32_t attributes);
  // Gives a file or folder another name in the same folder.
  void Rename(std::wstring_view path, std::wstring_view new_name);
  // The folder cannot be watched from now on, as a share that refuses it.
  void RefuseWatches(std::wstring_view folder);
  // Creating anything inside the folder is refused from now on, as a folder whose access control
  // denies it.
  void DenyWrites(std::wstring_view folder);
  bool FileExists(std::wstring_view path) const;
  // Makes an operation fail (raise, or for ShortPath give empty text) until told otherwise.
  void FailOn(Operation operation, bool fail = true);

  std::vector<DriveInfo> Drives() override;
  std::wstring CurrentDirectory() override;
  void ChangeDirectory(std::wstring_view path) override;
  std::wstring DriveCurrentDirectory(wchar_t letter) override;
  std::wstring ResolveFolder(std::wstring_view path, std::wstring_view base) override;
  ResolvedPath ResolvePath(std::wstring_view path, std::wstring_view base) override;
  std::vector<DirectoryEntry> ListFolder(std::wstring_view folder) override;
  std::wstring ShortPath(std::wstring_view path) override;
  void CreateFolder(std::wstring_view path) override;
  std::wstring NormalFileName(std::wstring_view path) override;
  std::wstring SystemFolder() override { return system_folder; }
  std::unique_ptr<FolderWatch> WatchFolder(std::wstring_view folder,
                                           std::function<void()> on_change) override;

  std::wstring system_folder = L"C:\\WINDOWS\\system32";
  std::size_t folder_reads = 0;  // how many times ListFolder read a folder

 private:
  struct Node;
  struct Drive;
  struct Located;
  class Watch;

  void Check(Operation operation) const;
  Drive& DriveOf(wchar_t letter) const;
  Located Locate(std::wstring_view path, std::wstring_view base) const;
  Node& MakeNode(std::wstring_view path, bool folder, std::uint32_t attributes);
  Node& MakeChild(const Drive& drive, Node& folder, std::wstring_view name,
                  std::uint32_t attributes);
  // Tells the watches of a folder that it changed.
  void Notify(const Node& folder);

  MemoryEventLoop* loop_;
  std::uint64_t next_id_ = 1;
  std::multimap<std::uint64_t, Watch*> watches_;  // by the id of the folder watched
  std::set<std::uint64_t> unwatchable_;
  std::map<wchar_t, std::unique_ptr<Drive>> drives_;
  std::wstring current_;
  std::set<Operation> failing_;
};

// The 8.3 alias Windows would give `name` in a folder where `taken` tells which names and aliases
// are in use (compared without regard to case); empty when the name is already a valid 8.3 name.
using NameTaken = std::function<bool(std::wstring_view)>;
std::wstring ShortAlias(std::wstring_view name, const NameTaken& taken);

}  // namespace tassefiche
