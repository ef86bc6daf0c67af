#include "platform/win32/win32_application.h"

#include <windows.h>

#include <algorithm>
#include <string_view>
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

// The program's name ends at its closing quote when it begins with one, else at the first blank
// or tab: within it, neither a backslash nor a quote escapes anything.
std::wstring Win32Application::CommandTail() {
  const std::wstring_view line = GetCommandLineW();
  std::size_t at = 0;
  if (line.starts_with(L'"')) {
    at = line.find(L'"', 1);
    at = at == std::wstring_view::npos ? line.size() : at + 1;
  } else {
    at = std::min(line.find_first_of(L" \t"), line.size());
  }
  at = std::min(line.find_first_not_of(L" \t", at), line.size());
  return std::wstring(line.substr(at));
}

}  // namespace tassefiche
