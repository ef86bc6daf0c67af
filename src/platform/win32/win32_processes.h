// The process port over CreateProcessW: the program by its full path, the command line as composed,
// the window style given. A watched program writes its error stream into a pipe that the event loop
// reads as it comes (so that the program never waits on a full pipe), and the loop hears when it
// ends; nothing is waited for on the program's thread.
#pragma once

#include <list>
#include <memory>

#include "platform/processes.h"
#include "platform/win32/win32_event_loop.h"

namespace tassefiche {

class Win32Processes : public Processes {
 public:
  // Without a loop, a watched launch is a plain one: nobody hears how the program ended.
  explicit Win32Processes(Win32EventLoop* loop = nullptr);
  // Programs still running run on; only this side of their pipes closes.
  ~Win32Processes() override;
  Win32Processes(const Win32Processes&) = delete;
  Win32Processes& operator=(const Win32Processes&) = delete;

  void Launch(std::wstring_view program, std::wstring_view command_line,
              WindowStyle style) override;
  bool LaunchWatched(std::wstring_view program, std::wstring_view command_line, WindowStyle style,
                     std::function<void(const ProcessOutcome&)> on_end) override;

 private:
  class Watched;
  void Forget(const Watched* watched);

  Win32EventLoop* loop_;
  std::list<std::unique_ptr<Watched>> watched_;
};

}  // namespace tassefiche
