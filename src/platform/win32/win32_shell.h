// The shell port over ShellExecuteW.
#pragma once

#include "platform/shell.h"

namespace tassefiche {

class Win32Shell : public Shell {
 public:
  std::intptr_t Execute(WindowHandle owner, std::wstring_view verb, std::wstring_view file,
                        std::wstring_view parameters, std::wstring_view directory,
                        int show) override;
};

}  // namespace tassefiche
