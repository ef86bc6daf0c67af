// What keeps a list in step with the folder it shows. The folder is watched: a read that finds it
// unchanged since the last one may reuse that read, and after a change the list is read again once
// the changes have settled, so that a burst of changes (a tool writing its temporary file then
// renaming it, a copy of a thousand files) costs one read. A folder that never settles is still
// read now and then. Without timers, or where the platform cannot watch the folder, every read goes
// to the disk.
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
  // How long the folder must stay without a change before the list is read again.
  static constexpr std::chrono::milliseconds kSettle{200};
  // How long the read may be put off by changes that keep coming.
  static constexpr std::chrono::milliseconds kLongestWait{2000};

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
  // Once per settle time while a read waits: the read comes when no change came meanwhile.
  void Check();
  void CheckLater();

  FileSystem& files_;
  Timers* timers_;
  std::function<void()> reread_;
  std::wstring folder_;
  std::unique_ptr<FolderWatch> watch_;
  bool read_ = false;
  bool unread_change_ = false;  // a change heard since the last read
  bool reread_due_ = false;
  bool changed_since_check_ = false;
  std::chrono::milliseconds waited_{0};
  // Held by the callbacks that the watch and the timers keep, so that none runs after this is gone.
  std::shared_ptr<FolderFollower*> self_ = std::make_shared<FolderFollower*>(this);
};

}  // namespace tassefiche
