// The file list: the files of one folder that match its display pattern and its attribute switches,
// in a stable order that ignores letter case, with at most one selected entry.
//
// Attribute switches: a file is shown when every one of the archive, hidden, system and read-only
// attributes it carries has its switch on; a file with none of the four is shown when the Normal
// switch is on. Folders are never listed.
//
// Refresh and a new path read the folder; a new pattern or switch applies at once to the last read,
// without touching the disk. Given timers, the list follows its folder (see FolderFollower): a
// Refresh of a folder that has not changed since the last read reuses it, and after a change the
// list reads the folder again by itself, keeping the selected file when it is still there, and
// raises Reread. A read that finds the files as they were keeps the sorted list of the last one, so
// that typing a pattern costs one matching per list. Whatever else changes the entries shown clears
// the selection. Counts and indexes are std::size_t, so a folder of any size is shown whole and
// counted exactly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/control.h"
#include "platform/file_pattern.h"
#include "platform/file_system.h"
#include "platform/folder_follower.h"
#include "platform/timers.h"

namespace tassefiche {

class FileList : public Control {
 public:
  // Starts on the process's current folder with the pattern "*.*".
  FileList(std::wstring name, FileSystem& files, Timers* timers = nullptr);

  const std::wstring& Path() const { return path_; }
  // An absolute path or one relative to the current path; fails when the folder does not exist.
  void SetPath(std::wstring_view path);

  const std::wstring& Pattern() const { return pattern_text_; }
  // Fails, keeping the previous pattern, for a pattern that the list refuses (see FilePattern).
  void SetPattern(std::wstring_view pattern);

  const AttributeSwitches& Switches() const { return switches_; }
  void SetArchive(bool on);
  void SetHidden(bool on);
  void SetSystem(bool on);
  void SetReadOnly(bool on);
  void SetNormal(bool on);

  // Reads the files of the folder again; fails when the folder cannot be read (the list is then
  // empty).
  void Refresh();

  std::size_t ListCount() const { return shown_.size(); }
  const std::wstring& List(std::size_t index) const;
  bool Selected(std::size_t index) const { return selected_ == index; }
  std::optional<std::size_t> ListIndex() const { return selected_; }
  // The name of the selected entry, without folder; empty text when none is selected.
  std::wstring FileName() const;

  // The user selected an entry (mouse or keyboard): raises Click.
  void Select(std::size_t index);
  Event on_click;
  // The list read its folder again by itself, after a change on the disk.
  Event on_reread;

  void ApplyLayout(const ControlLayout& row) override;

 private:
  struct ReadEntry {
    std::wstring name;
    std::u32string key;  // ComparisonKey: the order and the pattern ignore letter case
    std::uint32_t attributes = 0;
  };

  bool Shows(const ReadEntry& entry) const;
  // Reads the folder; fails as ListFolder does.
  std::vector<DirectoryEntry> ReadFolder();
  // Takes what the folder gave: sorted, then shown through the pattern and the switches.
  void Take(std::vector<DirectoryEntry> listed);
  // True when the folder read gives the files of the last read, in the same order.
  bool SameAsLastRead(const std::vector<DirectoryEntry>& listed) const;
  // After a change on the disk. A folder that cannot be read keeps what the list showed.
  void Reread();
  void SetSwitch(bool AttributeSwitches::*which, bool on);
  // Shows the entries of the last read that the pattern and the switches let through.
  void Filter();

  FileSystem& files_;
  FolderFollower follower_;
  std::wstring path_;
  std::wstring pattern_text_ = L"*.*";
  FilePattern pattern_ = FilePattern::Parse(L"*.*");
  AttributeSwitches switches_;
  std::vector<ReadEntry> read_;  // the last read of the folder, files only, in display order
  std::vector<std::size_t> listed_order_;  // read_ index of each file, in the folder's own order
  std::vector<std::size_t> shown_;         // read_ indexes
  std::optional<std::size_t> selected_;
};

}  // namespace tassefiche
