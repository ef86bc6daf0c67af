// The file-system port over the Win32 file API (wide calls; paths beyond MAX_PATH through the
// "\\?\" form where the call needs it). Folders are watched through the event loop it is given.
#pragma once

#include "platform/file_system.h"
#include "platform/win32/win32_event_loop.h"

namespace tassefiche {

class Win32FileSystem : public FileSystem {
 public:
  // Without a loop, no folder is watched.
  explicit Win32FileSystem(Win32EventLoop* loop = nullptr) : loop_(loop) {}

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
  std::wstring SystemFolder() override;
  std::unique_ptr<FolderWatch> WatchFolder(std::wstring_view folder,
                                           std::function<void()> on_change) override;

 private:
  Win32EventLoop* loop_;
};

}  // namespace tassefiche
