// The folder list: as a classic folder list does, it shows the components of its path, from the
// drive root down to the folder shown (drawn as open folders), then the sub-folders of that folder
// (closed folders), sorted ignoring letter case.
//
// Setting Path to another folder raises Change before the assignment returns. Set to a drive
// designation ("d:" or "d: [LABEL]", as the drive list gives it), the list moves to that drive's
// current folder, and fails when the drive cannot be read.
//
// Given timers, the list follows its folder (see FolderFollower): a Refresh of a folder that has
// not changed since the last read reuses it, and after a change the list reads the sub-folders
// again by itself, keeping the highlighted entry when it is still there.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/control.h"
#include "platform/file_system.h"
#include "platform/folder_follower.h"
#include "platform/timers.h"

namespace tassefiche {

struct FolderEntry {
  std::wstring text;  // what the entry shows: the drive root for the first, else a folder name
  std::wstring path;  // the full path the entry stands for
  std::size_t depth;  // indentation level, 0 for the drive root
  bool open;          // a component of the path shown (open folder) or a sub-folder
};

class FolderList : public Control {
 public:
  // Starts on the process's current folder.
  FolderList(std::wstring name, FileSystem& files, Timers* timers = nullptr);

  const std::wstring& Path() const { return path_; }
  void SetPath(std::wstring_view path);

  // Reads the sub-folders again; fails when the folder cannot be read.
  void Refresh();

  // The path components, then the sub-folders.
  const std::vector<FolderEntry>& Entries() const { return entries_; }
  // The number of sub-folders.
  std::size_t ListCount() const;
  // The highlighted entry (by a click), if any.
  std::optional<std::size_t> Highlighted() const { return highlighted_; }

  // The user clicked an entry: it is highlighted, the folder shown does not change; raises Click.
  void Click(std::size_t entry);
  // The user opened an entry (double click, Enter): the list moves there and raises Change.
  void Open(std::size_t entry);
  Event on_change;
  Event on_click;

 private:
  void Show(std::wstring path);
  void Read();
  // After a change on the disk. A folder that cannot be read keeps what the list showed.
  void Reread();

  FileSystem& files_;
  FolderFollower follower_;
  std::wstring path_;
  std::vector<FolderEntry> entries_;
  std::optional<std::size_t> highlighted_;
};

// "d:" or "d: [LABEL]": the drive letter of a drive designation, if the text is one.
std::optional<wchar_t> DriveOfDesignation(std::wstring_view text);

}  // namespace tassefiche
