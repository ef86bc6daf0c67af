#include "platform/file_list.h"

#include <algorithm>
#include <stdexcept>

#include "platform/platform_error.h"

namespace tassefiche {

FileList::FileList(std::wstring name, FileSystem& files, Timers* timers)
    : Control(std::move(name)),
      files_(files),
      follower_(files, timers, [this] { Reread(); }),
      path_(files.CurrentDirectory()) {
  Refresh();
}

void FileList::SetPath(std::wstring_view path) {
  path_ = files_.ResolveFolder(path, path_);
  Refresh();
}

void FileList::SetPattern(std::wstring_view pattern) {
  pattern_ = FilePattern::Parse(pattern);
  pattern_text_ = pattern;
  Filter();
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
  switches_.*which = on;
  Filter();
}

bool FileList::Shows(const ReadEntry& entry) const {
  const std::uint32_t a = entry.attributes;
  if ((a & kAttrArchive) != 0 && !switches_.archive) return false;
  if ((a & kAttrHidden) != 0 && !switches_.hidden) return false;
  if ((a & kAttrSystem) != 0 && !switches_.system) return false;
  if ((a & kAttrReadOnly) != 0 && !switches_.read_only) return false;
  const std::uint32_t any = kAttrArchive | kAttrHidden | kAttrSystem | kAttrReadOnly;
  if ((a & any) == 0 && !switches_.normal) return false;
  return pattern_.MatchesKey(entry.key);
}

void FileList::Refresh() {
  if (follower_.CanReuse(path_)) {
    selected_.reset();
    Changed(Aspect::kEntries);
    return;
  }
  std::vector<DirectoryEntry> listed;
  try {
    listed = ReadFolder();
  } catch (...) {
    read_.clear();
    listed_order_.clear();
    Filter();
    throw;
  }
  Take(std::move(listed));
}

std::vector<DirectoryEntry> FileList::ReadFolder() {
  follower_.BeforeRead(path_);
  std::vector<DirectoryEntry> listed = files_.ListFolder(path_);
  follower_.AfterRead();
  return listed;
}

void FileList::Take(std::vector<DirectoryEntry> listed) {
  if (SameAsLastRead(listed)) {
    selected_.reset();
    Changed(Aspect::kEntries);
    return;
  }
  read_.clear();
  read_.reserve(listed.size());
  for (DirectoryEntry& entry : listed) {
    if ((entry.attributes & kAttrDirectory) != 0) continue;
    std::u32string key = ComparisonKey(entry.name);
    read_.push_back({std::move(entry.name), std::move(key), entry.attributes});
  }
  // Sorted once per read: the pattern and the switches keep this order when they change.
  std::vector<std::size_t> order(read_.size());
  for (std::size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const int by_key = read_[a].key.compare(read_[b].key);
    return by_key != 0 ? by_key < 0 : read_[a].name < read_[b].name;
  });
  std::vector<ReadEntry> sorted;
  sorted.reserve(read_.size());
  listed_order_.assign(read_.size(), 0);
  for (std::size_t position = 0; position < order.size(); ++position) {
    sorted.push_back(std::move(read_[order[position]]));
    listed_order_[order[position]] = position;
  }
  read_ = std::move(sorted);
  Filter();
}

void FileList::Reread() {
  const std::wstring selected = FileName();
  std::vector<DirectoryEntry> listed;
  try {
    listed = ReadFolder();
  } catch (const PlatformError&) {
    return;
  }
  Take(std::move(listed));
  for (std::size_t i = 0; i < shown_.size() && !selected.empty(); ++i) {
    if (read_[shown_[i]].name != selected) continue;
    selected_ = i;
    Changed(Aspect::kSelection);
    break;
  }
  Raise(on_reread);
}

bool FileList::SameAsLastRead(const std::vector<DirectoryEntry>& listed) const {
  std::size_t files = 0;
  for (const DirectoryEntry& entry : listed) {
    if ((entry.attributes & kAttrDirectory) != 0) continue;
    if (files == listed_order_.size()) return false;
    const ReadEntry& known = read_[listed_order_[files++]];
    if (known.attributes != entry.attributes || known.name != entry.name) return false;
  }
  return files == listed_order_.size() && !read_.empty();
}

void FileList::Filter() {
  shown_.clear();
  selected_.reset();
  for (std::size_t i = 0; i < read_.size(); ++i) {
    if (Shows(read_[i])) shown_.push_back(i);
  }
  Changed(Aspect::kEntries);
}

const std::wstring& FileList::List(std::size_t index) const {
  if (index >= shown_.size()) throw std::out_of_range("file list index");
  return read_[shown_[index]].name;
}

std::wstring FileList::FileName() const {
  return selected_ ? read_[shown_[*selected_]].name : std::wstring();
}

void FileList::Select(std::size_t index) {
  if (index >= shown_.size()) return;
  selected_ = index;
  Changed(Aspect::kSelection);
  Raise(on_click);
}

void FileList::ApplyLayout(const ControlLayout& row) {
  Control::ApplyLayout(row);
  if (row.particulars.switches) {
    switches_ = *row.particulars.switches;
    Filter();
  }
}

}  // namespace tassefiche
