// The file list: the files of one folder that match its display pattern and its attribute switches,
// in a stable order that ignores letter case, with at most one selected entry.
//
// Attribute switches: a file is shown when every one of the archive, hidden, system and read-only
// attributes it carries has its switch on; a file with none of the four is shown when the Normal
// switch is on. Folders are never listed.
//
// Setting the path, the pattern or a switch re-reads the folder at once, as Refresh does; every
// re-read clears the selection. Counts and indexes are std::size_t, so a folder of any size is
// shown whole and counted exactly.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/control.h"
#include "platform/file_pattern.h"
#include "platform/file_system.h"

namespace tassefiche {

class FileList : public Control {
 public:
  // Starts on the process's current folder with the pattern "*.*".
  FileList(std::wstring name, FileSystem& files);

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

  std::size_t ListCount() const { return entries_.size(); }
  const std::wstring& List(std::size_t index) const;
  bool Selected(std::size_t index) const { return selected_ == index; }
  std::optional<std::size_t> ListIndex() const { return selected_; }
  // The name of the selected entry, without folder; empty text when none is selected.
  std::wstring FileName() const;

  // The user selected an entry (mouse or keyboard): raises Click.
  void Select(std::size_t index);
  Event on_click;

  void ApplyLayout(const ControlLayout& row) override;

 private:
  bool Shows(const DirectoryEntry& entry) const;
  void SetSwitch(bool AttributeSwitches::*which, bool on);
  void SetSwitches(const AttributeSwitches& switches);

  FileSystem& files_;
  std::wstring path_;
  std::wstring pattern_text_ = L"*.*";
  FilePattern pattern_ = FilePattern::Parse(L"*.*");
  AttributeSwitches switches_;
  std::vector<std::wstring> entries_;
  std::optional<std::size_t> selected_;
};

}  // namespace tassefiche
