// In-memory process launcher: records every launch, fails as the real launcher does when the
// program file does not exist, and lets the test end a watched program with the outcome it
// chooses; the outcome arrives through the in-memory event loop, as the real one does.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/memory/memory_event_loop.h"
#include "platform/memory/memory_file_system.h"
#include "platform/processes.h"

namespace tassefiche {

class MemoryProcesses : public Processes {
 public:
  struct Launched {
    std::wstring program;
    std::wstring command_line;
    WindowStyle style = WindowStyle::kHidden;
    std::function<void(const ProcessOutcome&)> on_end;  // empty when not watched
  };

  MemoryProcesses(const MemoryFileSystem& files, MemoryEventLoop& loop)
      : files_(files), loop_(loop) {}
  void Launch(std::wstring_view program, std::wstring_view command_line,
              WindowStyle style) override;
  bool LaunchWatched(std::wstring_view program, std::wstring_view command_line, WindowStyle style,
                     std::function<void(const ProcessOutcome&)> on_end) override;

  // The program of launch `index` ends with that outcome; its watcher hears of it between handlers.
  void End(std::size_t index, ProcessOutcome outcome);

  std::vector<Launched> launched;
  // While set, programs are launched unwatched, as when the real platform can watch no more.
  bool watch_no_more = false;

 private:
  void Start(std::wstring_view program, std::wstring_view command_line, WindowStyle style,
             std::function<void(const ProcessOutcome&)> on_end);

  const MemoryFileSystem& files_;
  MemoryEventLoop& loop_;
};

}  // namespace tassefiche
