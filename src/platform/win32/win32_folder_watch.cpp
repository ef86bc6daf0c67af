#include "platform/win32/win32_folder_watch.h"

#include <string>

namespace tassefiche {

namespace {

constexpr DWORD kWatched =
    FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES;

}  // namespace

std::unique_ptr<FolderWatch> Win32FolderWatch::Start(Win32EventLoop& loop, std::wstring_view folder,
                                                     std::function<void()> on_change) {
  std::wstring path(folder);
  if (path.size() >= MAX_PATH - 12) path = L"\\\\?\\" + path;
  const HANDLE notification = FindFirstChangeNotificationW(path.c_str(), FALSE, kWatched);
  if (notification == INVALID_HANDLE_VALUE) return nullptr;
  auto watch = std::make_unique<Win32FolderWatch>(loop, notification, std::move(on_change));
  if (!watch->Wait()) return nullptr;
  return watch;
}

Win32FolderWatch::Win32FolderWatch(Win32EventLoop& loop, HANDLE notification,
                                   std::function<void()> on_change)
    : loop_(loop), notification_(notification), on_change_(std::move(on_change)) {}

Win32FolderWatch::~Win32FolderWatch() {
  loop_.Unwatch(waiting_);
  FindCloseChangeNotification(notification_);
}

bool Win32FolderWatch::Wait() {
  if (waiting_ == 0) waiting_ = loop_.Watch(notification_, [this] { Signaled(); });
  return waiting_ != 0;
}

// The handle stays signaled until Rearm: the loop stops waiting on it meanwhile.
void Win32FolderWatch::Signaled() {
  changed_ = true;
  loop_.Unwatch(waiting_);
  waiting_ = 0;
  on_change_();
}

// A change not yet heard by the loop still shows in the handle.
bool Win32FolderWatch::Changed() {
  return changed_ || WaitForSingleObject(notification_, 0) == WAIT_OBJECT_0;
}

// Changes made since the signal were recorded by the system: they signal the handle again at once.
void Win32FolderWatch::Rearm() {
  changed_ = false;
  if (FindNextChangeNotification(notification_) == FALSE) {
    changed_ = true;  // never trusted again: every read goes to the disk
    return;
  }
  Wait();
}

}  // namespace tassefiche
