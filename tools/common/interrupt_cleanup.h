// Removes the named temporary file being written when the tool is interrupted (Ctrl+C, console
// closed, termination signal), so that an interruption leaves nothing behind either. The tools
// write one file at a time, so one slot is enough. Unnamed temporary files (Linux) and files the
// system deletes itself (Windows) need no watching.
#pragma once

#include <string>

namespace tools {

// Installs the handlers, once, at the start of a tool. On POSIX it also ignores the signal of a
// file size limit, so that the write fails (reported, cleaned up) instead of killing the tool.
void HandleInterruptions();

void WatchTemporaryFile(const std::string& path);
void ForgetTemporaryFile();

// Holds interruptions back for its lifetime: creating a temporary file and watching it, or removing
// it and forgetting it, must happen as one step, or an interruption in between leaves the file.
class InterruptionsHeld {
 public:
  InterruptionsHeld();
  ~InterruptionsHeld();
  InterruptionsHeld(const InterruptionsHeld&) = delete;
  InterruptionsHeld& operator=(const InterruptionsHeld&) = delete;
};

}  // namespace tools
