#include "platform/folder_follower.h"

namespace tassefiche {

FolderFollower::FolderFollower(FileSystem& files, Timers* timers, std::function<void()> reread)
    : files_(files), timers_(timers), reread_(std::move(reread)) {}

bool FolderFollower::CanReuse(std::wstring_view folder) {
  return watch_ != nullptr && read_ && folder == folder_ && !unread_change_ && !watch_->Changed();
}

void FolderFollower::BeforeRead(std::wstring_view folder) {
  read_ = false;
  unread_change_ = false;
  if (timers_ == nullptr) return;
  if (folder != folder_ || watch_ == nullptr) {
    folder_ = folder;
    const std::weak_ptr<FolderFollower*> self = self_;
    watch_ = files_.WatchFolder(folder, [self] {
      if (const auto alive = self.lock()) (*alive)->Changed();
    });
  } else {
    watch_->Rearm();
  }
}

// The watch listens again at once, so that each later change of a burst puts the read off.
void FolderFollower::Changed() {
  unread_change_ = true;
  watch_->Rearm();
  if (reread_due_) {
    changed_since_check_ = true;
    return;
  }
  reread_due_ = true;
  changed_since_check_ = false;
  waited_ = std::chrono::milliseconds(0);
  CheckLater();
}

void FolderFollower::CheckLater() {
  const std::weak_ptr<FolderFollower*> self = self_;
  timers_->After(kSettle, [self] {
    if (const auto alive = self.lock()) (*alive)->Check();
  });
}

void FolderFollower::Check() {
  waited_ += kSettle;
  if (changed_since_check_ && waited_ < kLongestWait) {
    changed_since_check_ = false;
    CheckLater();
    return;
  }
  reread_due_ = false;
  reread_();
}

}  // namespace tassefiche
