// The process port: starting a program without waiting for it.
#pragma once

#include <string_view>

namespace tassefiche {

enum class WindowStyle { kHidden = 0, kNormalFocus = 1 };

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts `program` (a full path) with `command_line` as its command line and returns at once; the
  // new process is not tracked. When `program` is empty, the program is the head of the command
  // line. Fails when the program cannot be started.
  virtual void Launch(std::wstring_view program, std::wstring_view command_line,
                      WindowStyle style) = 0;
};

}  // namespace tassefiche
