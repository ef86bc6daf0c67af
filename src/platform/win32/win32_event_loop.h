// The program's event loop: the window messages, and, between them, the handles it waits on (a
// folder that changed, a tool that ended, its error stream) and the timers, all on the one thread
// of the program, waiting in the system without polling. Modal boxes run loops of their own: what
// falls due meanwhile runs once the box has closed, so that every event runs between handlers.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "platform/timers.h"

namespace tassefiche {

class Win32EventLoop : public Timers {
 public:
  using WatchId = std::uint64_t;
  // Runs each event, catching what no handler expected (the form window's own net).
  using Dispatcher = std::function<void(const std::function<void()>&)>;

  // Runs `signaled` whenever the handle is signaled, until Unwatch; 0 when the loop cannot wait on
  // one more handle.
  WatchId Watch(HANDLE handle, std::function<void()> signaled);
  void Unwatch(WatchId id);
  void After(std::chrono::milliseconds delay, Event event) override;

  // Until the program quits: `pre_translate` sees each message first (the dialog keyboard).
  int Run(const std::function<bool(MSG&)>& pre_translate, const Dispatcher& dispatch);

 private:
  struct Waited {
    HANDLE handle;
    std::function<void()> signaled;
  };
  using Clock = std::chrono::steady_clock;

  DWORD MillisecondsToNextTimer() const;
  void RunDueTimers(const Dispatcher& dispatch);

  WatchId next_id_ = 1;
  std::map<WatchId, Waited> waited_;
  std::uint64_t sequence_ = 0;
  std::map<std::pair<Clock::time_point, std::uint64_t>, Event> timers_;
};

}  // namespace tassefiche
