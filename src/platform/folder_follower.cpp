#include "platform/folder_follower.h"

namespace tassefiche {

FolderFollower::FolderFollower(FileSystem& files, Timers* timers, std::function<void()> reread)
    : files_(files), timers_(timers), reread_(std::move(reread)) {}

bool FolderFollower::CanReuse(std::wstring_view folder) {
  return watch_ != nullptr && read_ && folder == folder_ && !watch_->Changed();
}

void FolderFollower::BeforeRead(std::wstring_view folder) {
  read_ = false;
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

// The first change of a burst schedules one read; the watch stays quiet until that read rearms it.
void FolderFollower::Changed() {
  if (reread_due_) return;
  reread_due_ = true;
  const std::weak_ptr<FolderFollower*> self = self_;
  timers_->After(kSettle, [self] {
    const auto alive = self.lock();
    if (!alive) return;
    (*alive)->reread_due_ = false;
    (*alive)->reread_();
  });
}

}  // namespace tassefiche
