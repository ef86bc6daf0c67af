#include "platform/win32/win32_application.h"

#include <windows.h>

#include "platform/win32/win32_error.h"

namespace tassefiche {

std::wstring Win32Application::Path() {
  std::wstring module(MAX_PATH, L'\0');
  for (;;) {
    const DWORD written =
        GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
    if (written == 0) ThrowWin32Error("GetModuleFileName");
    if (written < module.size()) {
      module.resize(written);
      break;
    }
    module.resize(module.size() * 2);
  }
  std::wstring folder = module.substr(0, module.rfind(L'\\'));
  const DWORD size = GetLongPathNameW(folder.c_str(), nullptr, 0);
  if (size > 0) {
    std::wstring long_form(size, L'\0');
    const DWORD written = GetLongPathNameW(folder.c_str(), long_form.data(), size);
    if (written > 0 && written < size) folder = long_form.substr(0, written);
  }
  // A drive root keeps its "\"; any other folder has none at the end.
  if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
  return folder;
}

}  // namespace tassefiche
