#include <windows.h>

#include <algorithm>

#include "common/console.h"
#include "shared/utf.h"

namespace tools {
namespace {

void Put(DWORD which, std::string_view text) {
  HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
    return;
  }
  DWORD mode = 0;
  if (GetConsoleMode(handle, &mode) != 0) {
    const std::u16string wide = shared::Utf8ToUtf16(text);
    std::size_t done = 0;
    while (done < wide.size()) {
      DWORD written = 0;
      const auto chunk = static_cast<DWORD>(std::min<std::size_t>(wide.size() - done, 8192));
      if (WriteConsoleW(handle, wide.data() + done, chunk, &written, nullptr) == 0 ||
          written == 0) {
        return;
      }
      done += written;
    }
    return;
  }
  std::size_t done = 0;
  while (done < text.size()) {
    DWORD written = 0;
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1u << 20));
    if (WriteFile(handle, text.data() + done, chunk, &written, nullptr) == 0 || written == 0) {
      return;
    }
    done += written;
  }
}

}  // namespace

void WriteOut(std::string_view text) {
  Put(STD_OUTPUT_HANDLE, text);
}
void WriteError(std::string_view text) {
  Put(STD_ERROR_HANDLE, text);
}

}  // namespace tools
