// The drive list: the drives present, each shown as its designation ("c: [SYSTEME]": the letter in
// lower case, a colon, and the volume label in brackets when the drive has one), with the current
// drive selected.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/control.h"
#include "platform/file_system.h"

namespace tassefiche {

class DriveList : public Control {
 public:
  // Starts on the drive of the process's current folder.
  DriveList(std::wstring name, FileSystem& files);

  // The designation of the current drive, as the list shows it.
  std::wstring Drive() const;
  // Reads the drives again; the current drive stays selected while it is present.
  void Refresh();

  const std::vector<std::wstring>& Entries() const { return entries_; }
  std::size_t ListIndex() const { return current_; }

  // The user picked another drive: raises Change.
  void Pick(std::size_t index);
  // Code shows a drive, the one of a folder that it gave the folder list itself: no Change. A drive
  // that the list does not know yet is looked for among the drives present; fails when absent.
  void ShowDrive(wchar_t letter);
  Event on_change;

 private:
  FileSystem& files_;
  std::vector<wchar_t> letters_;
  std::vector<std::wstring> entries_;
  std::size_t current_ = 0;
};

std::wstring DriveDesignation(const DriveInfo& drive);

}  // namespace tassefiche
