#include "platform/win32/win32_application.h"

#include <windows.h>

#include <vector>

#include "app/app_identity.h"
#include "platform/win32/win32_error.h"

namespace tassefiche {

namespace {

std::wstring ModuleFile() {
  std::wstring module(MAX_PATH, L'\0');
  for (;;) {
    const DWORD written =
        GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
    if (written == 0) ThrowWin32Error("GetModuleFileName");
    if (written < module.size()) {
      module.resize(written);
      return module;
    }
    module.resize(module.size() * 2);
  }
}

}  // namespace

std::wstring Win32Application::Path() {
  const std::wstring module = ModuleFile();
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

std::wstring Win32Application::Title() {
  return std::wstring(kAppTitle);
}

// The numbers of the record's fixed part: major and minor from its most significant half, the
// revision from the first number of its least significant half.
VersionNumbers Win32Application::Version() {
  const std::wstring module = ModuleFile();
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(module.c_str(), &ignored);
  if (size == 0) ThrowWin32Error("GetFileVersionInfoSize");
  std::vector<std::byte> record(size);
  if (!GetFileVersionInfoW(module.c_str(), 0, size, record.data())) {
    ThrowWin32Error("GetFileVersionInfo");
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(record.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) ||
      length < sizeof(VS_FIXEDFILEINFO)) {
    ThrowWin32Error("VerQueryValue", ERROR_RESOURCE_TYPE_NOT_FOUND);
  }
  return {HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
          HIWORD(fixed->dwFileVersionLS)};
}

}  // namespace tassefiche
