#include "platform/win32/win32_error.h"

#include "platform/platform_error.h"
#include "shared/utf.h"

namespace tassefiche {

std::string ToUtf8(std::wstring_view text) {
  return shared::WideToUtf8(text);
}

std::wstring FromUtf8(std::string_view text) {
  return shared::Utf8ToWide(text);
}

void ThrowWin32Error(std::string_view what, DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring description(buffer != nullptr ? buffer : L"", length);
  LocalFree(buffer);
  while (!description.empty() && (description.back() == L'\n' || description.back() == L'\r')) {
    description.pop_back();
  }
  throw PlatformError(std::string(what) + " : " + ToUtf8(description) + " (" +
                      std::to_string(error) + ")");
}

}  // namespace tassefiche
