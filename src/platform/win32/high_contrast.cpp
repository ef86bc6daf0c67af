#include "platform/win32/high_contrast.h"

#include <windows.h>

#include <cwchar>

namespace tassefiche {

namespace {

// The choice as the user's settings keep it: the flags in decimal, high contrast on in the lowest
// bit, as the platform writes them when the user switches the scheme.
bool StoredChoice() {
  wchar_t flags[16] = {};
  DWORD size = sizeof flags;
  if (RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags",
                   RRF_RT_REG_SZ, nullptr, flags, &size) != ERROR_SUCCESS) {
    return false;
  }
  return (std::wcstoul(flags, nullptr, 10) & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

// Some implementations of the platform (Wine) answer "off" to the query whatever the user chose;
// the stored choice, which the platform keeps equal to the live one, then still tells.
bool HighContrastChosen() {
  HIGHCONTRASTW state{};
  state.cbSize = sizeof state;
  if (SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof state, &state, 0) != FALSE &&
      (state.dwFlags & HCF_HIGHCONTRASTON) != 0) {
    return true;
  }
  return StoredChoice();
}

}  // namespace tassefiche
