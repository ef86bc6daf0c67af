// What keeps a list in step with the folder it shows. The folder is watched: a read that finds it
// unchanged since the last one may reuse that read, and after a change the list is read again once
// the changes have settled for a moment, so that a burst of changes (a tool writing its temporary
// file then renaming it, a copy of a thousand files) costs a few reads, not one per change.
// Without timers, or where the platform cannot watch the folder, every read goes to the disk.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/timers.h"

namespace tassefiche {

class FolderFollower {
 public:
  // How long changes must settle before the list is read again.
  static constexpr std::chrono::milliseconds kSettle{200};

  // `reread` reads the folder again; it runs between handlers.
  FolderFollower(FileSystem& files, Timers* timers, std::function<void()> reread);

  // True when the last read of `folder` may serve again: it is watched, was read, and has not
  // changed since.
  bool CanReuse(std::wstring_view folder);
  // Before each read of `folder`: the watch moves to it, or counts changes from now on.
  void BeforeRead(std::wstring_view folder);
  // After a read that succeeded.
  void AfterRead() { read_ = true; }

 private:
  void Changed();

  FileSystem& files_;
  Timers* timers_;
  std::function<void()> reread_;
  std::wstring folder_;
  std::unique_ptr<FolderWatch> watch_;
  bool read_ = false;
  bool reread_due_ = false;
  // Held by the callbacks that the watch and the timers keep, so that none runs after this is gone.
  std::shared_ptr<FolderFollower*> self_ = std::make_shared<FolderFollower*>(this);
};

}  // namespace tassefiche
