// Folders and files by path, Windows style, for the rules that only look at the file system
// (planning, naming); nothing here reads or writes.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "common/failure.h"
#include "common/file_system.h"
#include "common/paths.h"

namespace tools::testing_support {

class FakeFileSystem final : public FileSystem {
 public:
  void AddFolder(const std::string& path) { entries_[path] = Info(FileKind::kFolder); }
  void AddFile(const std::string& path) { entries_[path] = Info(FileKind::kRegular); }
  // A file whose folder stores another name than the one it is given by (a short alias).
  void SetStoredName(const std::string& path, const std::string& name) { stored_[path] = name; }

  std::optional<FileInfo> Stat(const std::string& path) override {
    std::string key = path;
    while (key.size() > 3 && (key.back() == '\\' || key.back() == '/'))
      key.pop_back();
    const auto found = entries_.find(key);
    if (found == entries_.end()) return std::nullopt;
    return found->second;
  }
  std::vector<FolderEntry> List(const std::string& folder) override {
    std::vector<FolderEntry> listed;
    for (const auto& [path, info] : entries_) {
      const PathParts parts = SplitPath(path, PathStyle::kWindows);
      if (parts.folder == folder) {
        listed.push_back({std::string(parts.name), info.kind == FileKind::kFolder});
      }
    }
    if (listed.empty() && !Stat(folder)) throw IoError("dossier introuvable : " + folder);
    return listed;
  }
  std::string StoredName(const std::string& path) override {
    const auto found = stored_.find(path);
    if (found != stored_.end()) return found->second;
    if (!Stat(path)) throw IoError("introuvable : " + path);
    return std::string(SplitPath(path, PathStyle::kWindows).name);
  }
  std::string FollowLinks(const std::string& path) override { return path; }
  std::unique_ptr<InputFile> OpenRead(const std::string&) override { return nullptr; }
  std::unique_ptr<Writer> OpenStream(const std::string&) override { return nullptr; }
  std::unique_ptr<TemporaryFile> CreateTemporary(const std::string&) override { return nullptr; }
  bool IsLink(const std::string&) override { return false; }
  bool CreateFolder(const std::string&) override { return false; }
  void RemoveEmptyFolder(const std::string&) override {}
  void ApplyStamp(const std::string&, const FileStamp&) override {}

 private:
  FileInfo Info(FileKind kind) {
    FileInfo info;
    info.id = {1, ++next_index_};
    info.kind = kind;
    return info;
  }
  std::map<std::string, FileInfo> entries_;
  std::map<std::string, std::string> stored_;
  std::uint64_t next_index_ = 0;
};

}  // namespace tools::testing_support
