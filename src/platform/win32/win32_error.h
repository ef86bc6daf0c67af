// Failures of Win32 calls as PlatformError, with the system's own description of the error.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tassefiche {

// UTF-16 to UTF-8 and back, for messages (the conversions shared with the tools, shared/utf.h).
std::string ToUtf8(std::wstring_view text);
std::wstring FromUtf8(std::string_view text);

[[noreturn]] void ThrowWin32Error(std::string_view what, DWORD error = GetLastError());

}  // namespace tassefiche
