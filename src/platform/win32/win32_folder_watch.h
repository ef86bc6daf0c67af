// A folder watched through the system's change notification: the event loop wakes when a name or an
// attribute changes in the folder; the handle stays signaled, and unwaited, until Rearm.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string_view>

#include "platform/file_system.h"
#include "platform/win32/win32_event_loop.h"

namespace tassefiche {

class Win32FolderWatch : public FolderWatch {
 public:
  // Null when the system refuses to watch the folder (a share that does not support it, say), or
  // when the loop waits on all the handles it can.
  static std::unique_ptr<FolderWatch> Start(Win32EventLoop& loop, std::wstring_view folder,
                                            std::function<void()> on_change);
  Win32FolderWatch(Win32EventLoop& loop, HANDLE notification, std::function<void()> on_change);
  ~Win32FolderWatch() override;
  Win32FolderWatch(const Win32FolderWatch&) = delete;
  Win32FolderWatch& operator=(const Win32FolderWatch&) = delete;

  bool Changed() override;
  void Rearm() override;

 private:
  bool Wait();
  void Signaled();

  Win32EventLoop& loop_;
  HANDLE notification_;
  std::function<void()> on_change_;
  Win32EventLoop::WatchId waiting_ = 0;
  bool changed_ = false;
};

}  // namespace tassefiche
