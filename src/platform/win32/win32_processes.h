// The process port over CreateProcessW: the program by its full path, the command line as composed,
// the window style given, and no handle kept.
#pragma once

#include "platform/processes.h"

namespace tassefiche {

class Win32Processes : public Processes {
 public:
  void Launch(std::wstring_view program, std::wstring_view command_line,
              WindowStyle style) override;
};

}  // namespace tassefiche
