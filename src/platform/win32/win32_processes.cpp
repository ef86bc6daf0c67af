#include "platform/win32/win32_processes.h"

#include <windows.h>

#include <string>

#include "platform/win32/win32_error.h"

namespace tassefiche {

// With the program given as the application name, the launcher never searches the unquoted line for
// a program to start; the line reaches the program as it is.
void Win32Processes::Launch(std::wstring_view program, std::wstring_view command_line,
                            WindowStyle style) {
  const std::wstring application(program);
  std::wstring line(command_line);  // CreateProcessW may write into its command line
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = style == WindowStyle::kHidden ? SW_HIDE : SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(application.empty() ? nullptr : application.c_str(), line.data(), nullptr,
                      nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    ThrowWin32Error("CreateProcess");
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

}  // namespace tassefiche
