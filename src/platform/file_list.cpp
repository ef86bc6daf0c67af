#include "platform/file_list.h"

#include <algorithm>
#include <stdexcept>

#include "platform/text.h"

namespace tassefiche {

FileList::FileList(std::wstring name, FileSystem& files)
    : Control(std::move(name)), files_(files), path_(files.CurrentDirectory()) {
  Refresh();
}

void FileList::SetPath(std::wstring_view path) {
  path_ = files_.ResolveFolder(path, path_);
  Refresh();
}

void FileList::SetPattern(std::wstring_view pattern) {
  pattern_ = FilePattern::Parse(pattern);
  pattern_text_ = pattern;
  Refresh();
}

void FileList::SetArchive(bool on) {
  SetSwitch(&AttributeSwitches::archive, on);
}
void FileList::SetHidden(bool on) {
  SetSwitch(&AttributeSwitches::hidden, on);
}
void FileList::SetSystem(bool on) {
  SetSwitch(&AttributeSwitches::system, on);
}
void FileList::SetReadOnly(bool on) {
  SetSwitch(&AttributeSwitches::read_only, on);
}
void FileList::SetNormal(bool on) {
  SetSwitch(&AttributeSwitches::normal, on);
}

void FileList::SetSwitch(bool AttributeSwitches::*which, bool on) {
  AttributeSwitches switches = switches_;
  switches.*which = on;
  SetSwitches(switches);
}

void FileList::SetSwitches(const AttributeSwitches& switches) {
  switches_ = switches;
  Refresh();
}

bool FileList::Shows(const DirectoryEntry& entry) const {
  const std::uint32_t a = entry.attributes;
  if ((a & kAttrDirectory) != 0) return false;
  if ((a & kAttrArchive) != 0 && !switches_.archive) return false;
  if ((a & kAttrHidden) != 0 && !switches_.hidden) return false;
  if ((a & kAttrSystem) != 0 && !switches_.system) return false;
  if ((a & kAttrReadOnly) != 0 && !switches_.read_only) return false;
  const std::uint32_t any = kAttrArchive | kAttrHidden | kAttrSystem | kAttrReadOnly;
  if ((a & any) == 0 && !switches_.normal) return false;
  return pattern_.Matches(entry.name);
}

void FileList::Refresh() {
  entries_.clear();
  selected_.reset();
  std::vector<DirectoryEntry> read;
  try {
    read = files_.ListFolder(path_);
  } catch (...) {
    Changed(Aspect::kEntries);
    throw;
  }
  for (DirectoryEntry& entry : read) {
    if (Shows(entry)) entries_.push_back(std::move(entry.name));
  }
  std::sort(entries_.begin(), entries_.end(), [](const std::wstring& a, const std::wstring& b) {
    const int order = CompareNoCase(a, b);
    return order != 0 ? order < 0 : a < b;
  });
  Changed(Aspect::kEntries);
}

const std::wstring& FileList::List(std::size_t index) const {
  if (index >= entries_.size()) throw std::out_of_range("file list index");
  return entries_[index];
}

std::wstring FileList::FileName() const {
  return selected_ ? entries_[*selected_] : std::wstring();
}

void FileList::Select(std::size_t index) {
  if (index >= entries_.size()) return;
  selected_ = index;
  Changed(Aspect::kSelection);
  Raise(on_click);
}

void FileList::ApplyLayout(const ControlLayout& row) {
  Control::ApplyLayout(row);
  // Reading a large folder again costs time at start-up; only switches that differ need it.
  if (row.particulars.switches && *row.particulars.switches != switches_) {
    SetSwitches(*row.particulars.switches);
  }
}

}  // namespace tassefiche
