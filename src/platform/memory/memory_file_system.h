// An in-memory file system with the semantics of Windows that the program meets: drive letters,
// each with its own current folder; names compared without regard to letter case; long names
// with 8.3 aliases generated as Windows generates them (notes.data_ -> NOTES~1.DAT); file
// attributes; drives that are not ready; the names that Windows refuses; folders that refuse
// writes; and failures of any operation on demand. Failures say their kind and give Windows's
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

namespace tassefiche {

class MemoryFileSystem : public FileSystem {
 public:
  enum class Operation {
    kDrives,
    kCurrentDirectory,
    kChangeDirectory,
    kDriveCurrentDirectory,
    kResolveFolder,
    kListFolder,
    kShortPath,
    kCreateFolder,
  };

  MemoryFileSystem();
  ~MemoryFileSystem() override;

  // Set-up. Paths are absolute; missing parent folders are created. A volume without short names
  // (as many modern disks are) gives no aliases: its short forms are its long paths.
  void AddDrive(wchar_t letter, std::wstring_view label = {}, bool ready = true,
                bool short_names = true);
  void SetReady(wchar_t letter, bool ready);
  void AddFolder(std::wstring_view path);
  void AddFile(std::wstring_view path, std::uint32_t attributes = kAttrArchive);
  void Remove(std::wstring_view path);
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
  std::vector<DirectoryEntry> ListFolder(std::wstring_view folder) override;
  std::wstring ShortPath(std::wstring_view path) override;
  void CreateFolder(std::wstring_view path) override;
  std::wstring NormalFileName(std::wstring_view path) override;
  std::wstring SystemFolder() override { return system_folder; }

  std::wstring system_folder = L"C:\\WINDOWS\\system32";

 private:
  struct Node;
  struct Drive;
  struct Located;

  void Check(Operation operation) const;
  Drive& DriveOf(wchar_t letter) const;
  Located Locate(std::wstring_view path, std::wstring_view base) const;
  Node& MakeNode(std::wstring_view path, bool folder, std::uint32_t attributes);
  static Node& MakeChild(const Drive& drive, Node& folder, std::wstring_view name,
                         std::uint32_t attributes);

  std::map<wchar_t, std::unique_ptr<Drive>> drives_;
  std::wstring current_;
  std::set<Operation> failing_;
};

// The 8.3 alias Windows would give `name` in a folder where `taken` tells which names and aliases
// are in use (compared without regard to case); empty when the name is already a valid 8.3 name.
using NameTaken = std::function<bool(std::wstring_view)>;
std::wstring ShortAlias(std::wstring_view name, const NameTaken& taken);

}  // namespace tassefiche
