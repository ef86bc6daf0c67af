#include "platform/memory/memory_file_system.h"

#include <algorithm>

#include "platform/failure_reasons.h"
#include "platform/platform_error.h"
#include "platform/text.h"

namespace tassefiche {

struct MemoryFileSystem::Node {
  std::wstring name;
  std::wstring alias;  // empty when the name is already a valid 8.3 name
  std::uint32_t attributes = 0;
  bool writable = true;
  std::uint64_t id = 0;  // names the node to its watches, which outlive it
  std::vector<std::unique_ptr<Node>> children;
  std::map<std::wstring, Node*> by_name;  // names and aliases of the children, in upper case

  bool IsFolder() const { return (attributes & kAttrDirectory) != 0; }

  Node* Find(std::wstring_view component) const {
    const auto found = by_name.find(ToUpper(component));
    return found == by_name.end() ? nullptr : found->second;
  }

  Node& Adopt(std::unique_ptr<Node> child) {
    by_name[ToUpper(child->name)] = child.get();
    if (!child->alias.empty()) by_name[ToUpper(child->alias)] = child.get();
    children.push_back(std::move(child));
    return *children.back();
  }

  void Forget(const Node& child) {
    std::erase_if(by_name, [&](const auto& entry) { return entry.second == &child; });
    std::erase_if(children, [&](const auto& owned) { return owned.get() == &child; });
  }
};

struct MemoryFileSystem::Drive {
  wchar_t letter = L'C';
  std::wstring label;
  bool ready = true;
  bool short_names = true;
  Node root;
  std::wstring current;  // the drive's current folder
};

// A path found: its drive, the nodes from the root down, and each component as it was written.
struct MemoryFileSystem::Located {
  Drive* drive = nullptr;
  std::vector<Node*> nodes;
  std::vector<std::wstring> written;
  bool trailing_backslash = false;

  Node& Target() const { return *nodes.back(); }

  std::wstring LongPath() const {
    std::wstring path{drive->letter, L':', L'\\'};
    for (std::size_t i = 1; i < nodes.size(); ++i) {
      if (i > 1) path += L'\\';
      path += nodes[i]->name;
    }
    return path;
  }
};

namespace {

std::vector<std::wstring> SplitComponents(std::wstring_view path) {
  std::vector<std::wstring> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find(L'\\', start);
    if (end == std::wstring_view::npos) end = path.size();
    if (end > start) parts.emplace_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::wstring Root(wchar_t letter) {
  return {letter, L':', L'\\'};
}

[[noreturn]] void Fail(FailureKind kind, const char* what) {
  throw PlatformError(what, kind, std::wstring(FrenchReason(kind)));
}

// The device names that Windows keeps for itself in every folder, with or without an extension.
bool IsReservedName(std::wstring_view name) {
  std::wstring base = TrimBlanks(ToUpper(name.substr(0, name.find(L'.'))));
  if (base == L"CON" || base == L"PRN" || base == L"AUX" || base == L"NUL") return true;
  return base.size() == 4 && (base.starts_with(L"COM") || base.starts_with(L"LPT")) &&
         base[3] >= L'1' && base[3] <= L'9';
}

bool HasRefusedCharacter(std::wstring_view name) {
  return std::any_of(name.begin(), name.end(), [](wchar_t c) {
    return c < 32 || std::wstring_view(L"\"<>|:*?/").find(c) != std::wstring_view::npos;
  });
}

constexpr std::size_t kLongestName = 255;

}  // namespace

class MemoryFileSystem::Watch : public FolderWatch {
 public:
  Watch(MemoryFileSystem& files, std::uint64_t folder, std::function<void()> on_change)
      : files_(files), folder_(folder), on_change_(std::move(on_change)) {
    files_.watches_.emplace(folder_, this);
  }
  ~Watch() override {
    std::erase_if(files_.watches_, [&](const auto& entry) { return entry.second == this; });
  }
  Watch(const Watch&) = delete;
  Watch& operator=(const Watch&) = delete;

  bool Changed() override { return changed_; }
  void Rearm() override { changed_ = fired_ = false; }

  void Notify() {
    changed_ = true;
    if (fired_ || files_.loop_ == nullptr) return;
    fired_ = true;
    const std::weak_ptr<Watch*> self = self_;
    files_.loop_->Post([self] {
      if (const auto alive = self.lock()) (*alive)->on_change_();
    });
  }

 private:
  MemoryFileSystem& files_;
  std::uint64_t folder_;
  std::function<void()> on_change_;
  bool changed_ = false;
  bool fired_ = false;
  std::shared_ptr<Watch*> self_ = std::make_shared<Watch*>(this);
};

MemoryFileSystem::MemoryFileSystem(MemoryEventLoop* loop) : loop_(loop) {}
MemoryFileSystem::~MemoryFileSystem() = default;

void MemoryFileSystem::Notify(const Node& folder) {
  const auto [first, last] = watches_.equal_range(folder.id);
  std::vector<Watch*> told;
  for (auto it = first; it != last; ++it)
    told.push_back(it->second);
  for (Watch* watch : told)
    watch->Notify();
}

std::unique_ptr<FolderWatch> MemoryFileSystem::WatchFolder(std::wstring_view folder,
                                                           std::function<void()> on_change) {
  if (loop_ == nullptr) return nullptr;
  const Node& node = Locate(folder, current_).Target();
  if (!node.IsFolder() || unwatchable_.contains(node.id)) return nullptr;
  return std::make_unique<Watch>(*this, node.id, std::move(on_change));
}

void MemoryFileSystem::RefuseWatches(std::wstring_view folder) {
  unwatchable_.insert(Locate(folder, {}).Target().id);
}

void MemoryFileSystem::Check(Operation operation) const {
  if (failing_.contains(operation)) throw PlatformError("failure on demand");
}

void MemoryFileSystem::FailOn(Operation operation, bool fail) {
  if (fail) {
    failing_.insert(operation);
  } else {
    failing_.erase(operation);
  }
}

void MemoryFileSystem::AddDrive(wchar_t letter, std::wstring_view label, bool ready,
                                bool short_names) {
  auto drive = std::make_unique<Drive>();
  drive->letter = ToUpper(letter);
  drive->label = label;
  drive->ready = ready;
  drive->short_names = short_names;
  drive->root.attributes = kAttrDirectory;
  drive->root.id = next_id_++;
  drive->current = Root(drive->letter);
  if (current_.empty()) current_ = drive->current;
  drives_[drive->letter] = std::move(drive);
}

void MemoryFileSystem::SetReady(wchar_t letter, bool ready) {
  DriveOf(letter).ready = ready;
}

MemoryFileSystem::Drive& MemoryFileSystem::DriveOf(wchar_t letter) const {
  const auto found = drives_.find(ToUpper(letter));
  if (found == drives_.end()) Fail(FailureKind::kNotFound, "no such drive");
  return *found->second;
}

MemoryFileSystem::Located MemoryFileSystem::Locate(std::wstring_view path,
                                                   std::wstring_view base) const {
  std::vector<std::wstring> parts;
  wchar_t letter = 0;
  if (path.size() >= 2 && path[1] == L':') {
    letter = ToUpper(path[0]);
    if (path.size() == 2 || path[2] != L'\\')
      parts = SplitComponents(DriveOf(letter).current.substr(3));
    path.remove_prefix(2);
  } else {
    if (base.size() < 3) throw PlatformError("relative path without a base");
    letter = ToUpper(base[0]);
    if (!path.starts_with(L'\\')) parts = SplitComponents(base.substr(3));
  }
  Located found;
  found.drive = &DriveOf(letter);
  if (!found.drive->ready) Fail(FailureKind::kNotReady, "drive not ready");
  found.trailing_backslash = path.ends_with(L'\\') && path.size() > 1;
  for (std::wstring& part : SplitComponents(path))
    parts.push_back(std::move(part));

  found.nodes.push_back(&found.drive->root);
  for (const std::wstring& part : parts) {
    if (part == L".") continue;
    if (part == L"..") {
      if (found.nodes.size() > 1) {
        found.nodes.pop_back();
        found.written.pop_back();
      }
      continue;
    }
    Node* folder = found.nodes.back();
    Node* child = folder->IsFolder() ? folder->Find(part) : nullptr;
    if (child == nullptr) Fail(FailureKind::kNotFound, "path not found");
    found.nodes.push_back(child);
    found.written.push_back(part);
  }
  return found;
}

MemoryFileSystem::Node& MemoryFileSystem::MakeNode(std::wstring_view path, bool folder,
                                                   std::uint32_t attributes) {
  Drive& drive = DriveOf(path.at(0));
  Node* node = &drive.root;
  const std::vector<std::wstring> parts = SplitComponents(path.substr(2));
  for (std::size_t i = 0; i < parts.size(); ++i) {
    const bool last = i + 1 == parts.size();
    Node* child = node->Find(parts[i]);
    if (child == nullptr) {
      child = &MakeChild(drive, *node, parts[i], last && !folder ? attributes : kAttrDirectory);
    }
    node = child;
  }
  return *node;
}

MemoryFileSystem::Node& MemoryFileSystem::MakeChild(const Drive& drive, Node& folder,
                                                    std::wstring_view name,
                                                    std::uint32_t attributes) {
  auto made = std::make_unique<Node>();
  made->name = name;
  if (drive.short_names) {
    made->alias =
        ShortAlias(name, [&](std::wstring_view alias) { return folder.Find(alias) != nullptr; });
  }
  made->attributes = attributes;
  made->id = next_id_++;
  Node& adopted = folder.Adopt(std::move(made));
  Notify(folder);
  return adopted;
}

void MemoryFileSystem::AddFolder(std::wstring_view path) {
  MakeNode(path, true, kAttrDirectory);
}

void MemoryFileSystem::AddFile(std::wstring_view path, std::uint32_t attributes) {
  MakeNode(path, false, attributes & ~static_cast<std::uint32_t>(kAttrDirectory));
}

void MemoryFileSystem::Remove(std::wstring_view path) {
  const Located found = Locate(path, {});
  if (found.nodes.size() < 2) throw PlatformError("cannot remove a drive root");
  Node& parent = *found.nodes[found.nodes.size() - 2];
  Notify(found.Target());
  parent.Forget(found.Target());
  Notify(parent);
}

void MemoryFileSystem::SetAttributes(std::wstring_view path, std::uint32_t attributes) {
  const Located found = Locate(path, {});
  Node& node = found.Target();
  node.attributes = (node.attributes & kAttrDirectory) |
                    (attributes & ~static_cast<std::uint32_t>(kAttrDirectory));
  if (found.nodes.size() > 1) Notify(*found.nodes[found.nodes.size() - 2]);
}

// The node keeps its identity (and its watches) under its new name and alias.
void MemoryFileSystem::Rename(std::wstring_view path, std::wstring_view new_name) {
  const Located found = Locate(path, {});
  if (found.nodes.size() < 2) throw PlatformError("cannot rename a drive root");
  Node& parent = *found.nodes[found.nodes.size() - 2];
  Node& node = found.Target();
  std::unique_ptr<Node> moved;
  for (auto& child : parent.children) {
    if (child.get() == &node) moved = std::move(child);
  }
  std::erase(parent.children, nullptr);
  std::erase_if(parent.by_name, [&](const auto& entry) { return entry.second == &node; });
  moved->name = new_name;
  moved->alias =
      found.drive->short_names
          ? ShortAlias(new_name,
                       [&](std::wstring_view alias) { return parent.Find(alias) != nullptr; })
          : std::wstring();
  parent.Adopt(std::move(moved));
  Notify(parent);
}

void MemoryFileSystem::DenyWrites(std::wstring_view folder) {
  Locate(folder, {}).Target().writable = false;
}

bool MemoryFileSystem::FileExists(std::wstring_view path) const {
  try {
    return !Locate(path, current_).Target().IsFolder();
  } catch (const PlatformError&) {
    return false;
  }
}

std::vector<DriveInfo> MemoryFileSystem::Drives() {
  Check(Operation::kDrives);
  std::vector<DriveInfo> drives;
  for (const auto& [letter, drive] : drives_) {
    drives.push_back({letter, drive->ready ? drive->label : std::wstring(), drive->ready});
  }
  return drives;
}

std::wstring MemoryFileSystem::CurrentDirectory() {
  Check(Operation::kCurrentDirectory);
  return current_;
}

void MemoryFileSystem::ChangeDirectory(std::wstring_view path) {
  Check(Operation::kChangeDirectory);
  const Located found = Locate(path, current_);
  if (!found.Target().IsFolder()) throw PlatformError("not a folder");
  current_ = found.LongPath();
  found.drive->current = current_;
}

std::wstring MemoryFileSystem::DriveCurrentDirectory(wchar_t letter) {
  Check(Operation::kDriveCurrentDirectory);
  const Drive& drive = DriveOf(letter);
  if (!drive.ready) throw PlatformError("drive not ready");
  return drive.current;
}

std::wstring MemoryFileSystem::ResolveFolder(std::wstring_view path, std::wstring_view base) {
  Check(Operation::kResolveFolder);
  const Located found = Locate(path, base);
  if (!found.Target().IsFolder()) throw PlatformError("not a folder");
  return found.LongPath();
}

ResolvedPath MemoryFileSystem::ResolvePath(std::wstring_view path, std::wstring_view base) {
  Check(Operation::kResolvePath);
  const Located found = Locate(path, base);
  return {found.LongPath(), found.Target().IsFolder()};
}

std::vector<DirectoryEntry> MemoryFileSystem::ListFolder(std::wstring_view folder) {
  Check(Operation::kListFolder);
  ++folder_reads;
  const Located found = Locate(folder, current_);
  if (!found.Target().IsFolder()) throw PlatformError("not a folder");
  std::vector<DirectoryEntry> entries;
  for (const auto& child : found.Target().children) {
    entries.push_back({child->name, child->attributes});
  }
  return entries;
}

std::wstring MemoryFileSystem::ShortPath(std::wstring_view path) {
  if (failing_.contains(Operation::kShortPath) || path.size() < 3 || path[1] != L':') return {};
  try {
    const Located found = Locate(path, {});
    std::wstring result =
        Root(ToUpper(path[0]) == found.drive->letter ? path[0] : found.drive->letter);
    for (std::size_t i = 0; i < found.written.size(); ++i) {
      if (i > 0) result += L'\\';
      const Node& node = *found.nodes[i + 1];
      result += node.alias.empty() ? found.written[i] : node.alias;
    }
    if (found.trailing_backslash && !found.written.empty()) result += L'\\';
    return result;
  } catch (const PlatformError&) {
    return {};
  }
}

// As Windows does: the last component loses its trailing dots and blanks, a name that then names
// the parent itself is taken, and the names of devices and names with refused characters are
// invalid.
void MemoryFileSystem::CreateFolder(std::wstring_view path) {
  Check(Operation::kCreateFolder);
  const std::size_t slash = path.rfind(L'\\');
  if (path.size() < 3 || path[1] != L':' || slash == std::wstring_view::npos) {
    Fail(FailureKind::kInvalidName, "not a full path");
  }
  const Located parent = Locate(path.substr(0, slash == 2 ? 3 : slash), {});
  Node& folder = parent.Target();
  if (!folder.IsFolder()) Fail(FailureKind::kNotFound, "parent is a file");
  std::wstring name(path.substr(slash + 1));
  while (!name.empty() && (name.back() == L'.' || name.back() == L' '))
    name.pop_back();
  if (name.empty() || folder.Find(name) != nullptr) Fail(FailureKind::kAlreadyExists, "exists");
  if (HasRefusedCharacter(name) || IsReservedName(name) || name.size() > kLongestName) {
    Fail(FailureKind::kInvalidName, "name refused");
  }
  if (!folder.writable) Fail(FailureKind::kAccessDenied, "access denied");
  MakeChild(*parent.drive, folder, name, kAttrDirectory);
}

std::wstring MemoryFileSystem::NormalFileName(std::wstring_view path) {
  if (path.find_first_of(L"*?") != std::wstring_view::npos) return {};
  try {
    const Node& node = Locate(path, current_).Target();
    const std::uint32_t not_normal = kAttrDirectory | kAttrHidden | kAttrSystem;
    return (node.attributes & not_normal) == 0 ? node.name : std::wstring();
  } catch (const PlatformError&) {
    return {};
  }
}

}  // namespace tassefiche
