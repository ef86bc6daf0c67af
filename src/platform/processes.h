// The process port: starting a program without waiting for it, and, for the tools of the jobs,
// learning how it ended.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tassefiche {

enum class WindowStyle { kHidden = 0, kNormalFocus = 1 };

// How a program ended: its exit status, and what it wrote on its error stream (as text).
struct ProcessOutcome {
  int exit_code = 0;
  std::wstring error_text;
};

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts `program` (a full path) with `command_line` as its command line and returns at once; the
  // new process is not tracked. When `program` is empty, the program is the head of the command
  // line. Fails when the program cannot be started.
  virtual void Launch(std::wstring_view program, std::wstring_view command_line,
                      WindowStyle style) = 0;
  // Starts a program as Launch does and returns at once; when it has ended, `on_end` runs once,
  // between handlers, with its outcome. A program that outlives this one runs on untouched. False
  // when the program runs unheard, as a launched one does (the platform can watch no more): then
  // `on_end` never runs.
  [[nodiscard]] virtual bool LaunchWatched(std::wstring_view program,
                                           std::wstring_view command_line, WindowStyle style,
                                           std::function<void(const ProcessOutcome&)> on_end) = 0;
};

}  // namespace tassefiche
