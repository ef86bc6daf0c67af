// The file-system port over the Win32 file API (wide calls; paths beyond MAX_PATH through the
// "\\?\" form where the call needs it).
#pragma once

#include "platform/file_system.h"

namespace tassefiche {

class Win32FileSystem : public FileSystem {
 public:
  std::vector<DriveInfo> Drives() override;
  std::wstring CurrentDirectory() override;
  void ChangeDirectory(std::wstring_view path) override;
  std::wstring DriveCurrentDirectory(wchar_t letter) override;
  std::wstring ResolveFolder(std::wstring_view path, std::wstring_view base) override;
  std::vector<DirectoryEntry> ListFolder(std::wstring_view folder) override;
  std::wstring ShortPath(std::wstring_view path) override;
  void CreateFolder(std::wstring_view path) override;
  std::wstring NormalFileName(std::wstring_view path) override;
  std::wstring SystemFolder() override;
};

}  // namespace tassefiche
