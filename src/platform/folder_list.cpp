#include "platform/folder_list.h"

#include <algorithm>
#include <utility>

#include "platform/platform_error.h"
#include "platform/text.h"

namespace tassefiche {

std::optional<wchar_t> DriveOfDesignation(std::wstring_view text) {
  if (text.size() < 2 || text[1] != L':') return std::nullopt;
  const wchar_t letter = ToUpper(text[0]);
  if (letter < L'A' || letter > L'Z') return std::nullopt;
  if (text.size() > 2 && text[2] != L' ') return std::nullopt;
  return letter;
}

FolderList::FolderList(std::wstring name, FileSystem& files, Timers* timers)
    : Control(std::move(name)),
      files_(files),
      follower_(files, timers, [this] { Reread(); }),
      path_(files.CurrentDirectory()) {
  Read();
}

void FolderList::SetPath(std::wstring_view path) {
  const std::optional<wchar_t> drive = DriveOfDesignation(path);
  Show(drive ? files_.DriveCurrentDirectory(*drive) : files_.ResolveFolder(path, path_));
}

void FolderList::Show(std::wstring path) {
  if (path == path_) return;
  // Read first, so that a folder that cannot be read leaves the list where it was.
  std::wstring previous = std::exchange(path_, std::move(path));
  try {
    Read();
  } catch (...) {
    path_ = std::move(previous);
    throw;
  }
  Raise(on_change);
}

void FolderList::Refresh() {
  if (follower_.CanReuse(path_)) {
    highlighted_.reset();
    Changed(Aspect::kEntries);
    return;
  }
  Read();
}

void FolderList::Reread() {
  const std::optional<std::wstring> highlighted =
      highlighted_ ? std::optional(entries_[*highlighted_].path) : std::nullopt;
  try {
    Read();
  } catch (const PlatformError&) {
    return;
  }
  for (std::size_t i = 0; i < entries_.size() && highlighted; ++i) {
    if (entries_[i].path != *highlighted) continue;
    highlighted_ = i;
    Changed(Aspect::kSelection);
    break;
  }
}

void FolderList::Read() {
  follower_.BeforeRead(path_);
  std::vector<DirectoryEntry> listed = files_.ListFolder(path_);
  follower_.AfterRead();
  std::vector<std::wstring> children;
  for (DirectoryEntry& entry : listed) {
    if ((entry.attributes & kAttrDirectory) != 0) children.push_back(std::move(entry.name));
  }
  std::sort(children.begin(), children.end(), [](const std::wstring& a, const std::wstring& b) {
    const int order = CompareNoCase(a, b);
    return order != 0 ? order < 0 : a < b;
  });

  entries_.clear();
  highlighted_.reset();
  // The root "C:\", then one entry per component of the path.
  const std::wstring root = path_.substr(0, 3);
  entries_.push_back({root, root, 0, true});
  std::size_t start = 3;
  while (start < path_.size()) {
    std::size_t end = path_.find(L'\\', start);
    if (end == std::wstring::npos) end = path_.size();
    if (end > start) {
      entries_.push_back(
          {path_.substr(start, end - start), path_.substr(0, end), entries_.size(), true});
    }
    start = end + 1;
  }
  const std::size_t depth = entries_.size();
  const std::wstring prefix = path_.ends_with(L'\\') ? path_ : path_ + L'\\';
  for (std::wstring& child : children) {
    entries_.push_back({child, prefix + child, depth, false});
  }
  Changed(Aspect::kEntries);
}

std::size_t FolderList::ListCount() const {
  return static_cast<std::size_t>(std::count_if(entries_.begin(), entries_.end(),
                                                [](const FolderEntry& e) { return !e.open; }));
}

void FolderList::Click(std::size_t entry) {
  if (entry >= entries_.size()) return;
  highlighted_ = entry;
  Changed(Aspect::kSelection);
  Raise(on_click);
}

void FolderList::Open(std::size_t entry) {
  if (entry >= entries_.size()) return;
  SetPath(entries_[entry].path);
}

}  // namespace tassefiche
