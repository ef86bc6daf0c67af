#include "platform/win32/win32_registry.h"

#include <windows.h>

#include <string>

#include "platform/win32/win32_error.h"

namespace tassefiche {

namespace {

// A predefined root key is a 32-bit value that the platform's headers sign-extend into a handle.
HKEY RootHandle(RegistryRoot root) {
  return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(root)));
}

}  // namespace

// Read access only: a standard user may read the keys below HKEY_LOCAL_MACHINE, not write them.
Registry::Key Win32Registry::OpenKey(RegistryRoot root, std::wstring_view path) {
  const std::wstring key_path(path);
  HKEY key = nullptr;
  const LSTATUS status = RegOpenKeyExW(RootHandle(root), key_path.c_str(), 0, KEY_READ, &key);
  if (status != ERROR_SUCCESS) ThrowWin32Error("RegOpenKeyEx", static_cast<DWORD>(status));
  return reinterpret_cast<Key>(key);
}

RegistryData Win32Registry::QueryValue(Key key, std::wstring_view name, std::size_t capacity) {
  const std::wstring value_name(name);
  RegistryData data;
  data.bytes.resize(capacity);
  DWORD type = 0;
  auto size = static_cast<DWORD>(capacity);
  const LSTATUS status = RegQueryValueExW(reinterpret_cast<HKEY>(key), value_name.c_str(), nullptr,
                                          &type, data.bytes.data(), &size);
  if (status != ERROR_SUCCESS) ThrowWin32Error("RegQueryValueEx", static_cast<DWORD>(status));
  data.type = type;
  data.bytes.resize(size);
  return data;
}

void Win32Registry::CloseKey(Key key) {
  if (key != 0) RegCloseKey(reinterpret_cast<HKEY>(key));
}

std::wstring Win32Registry::ExpandEnvironment(std::wstring_view text) {
  const std::wstring source(text);
  std::wstring expanded(source.size() + 1, L'\0');
  for (;;) {
    const DWORD needed = ExpandEnvironmentStringsW(source.c_str(), expanded.data(),
                                                   static_cast<DWORD>(expanded.size()));
    if (needed == 0) ThrowWin32Error("ExpandEnvironmentStrings");
    if (needed <= expanded.size()) {
      expanded.resize(needed - 1);  // the count includes the terminating NUL
      return expanded;
    }
    expanded.resize(needed);
  }
}

}  // namespace tassefiche
