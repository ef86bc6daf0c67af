#include "platform/win32/win32_shell.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace tassefiche {

// The wide call, so that an address or a folder outside the ANSI code page reaches the shell
// whole. An empty parameters text or folder is passed as none.
std::intptr_t Win32Shell::Execute(WindowHandle owner, std::wstring_view verb,
                                  std::wstring_view file, std::wstring_view parameters,
                                  std::wstring_view directory, int show) {
  const std::wstring verb_text(verb);
  const std::wstring file_text(file);
  const std::wstring parameters_text(parameters);
  const std::wstring directory_text(directory);
  const HINSTANCE result =
      ShellExecuteW(reinterpret_cast<HWND>(owner), verb_text.c_str(), file_text.c_str(),
                    parameters_text.empty() ? nullptr : parameters_text.c_str(),
                    directory_text.empty() ? nullptr : directory_text.c_str(), show);
  return reinterpret_cast<std::intptr_t>(result);
}

}  // namespace tassefiche
