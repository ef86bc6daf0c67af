// Twips are physical units: pixels = twips x DPI / 1440, with the real DPI of the window's monitor.
#pragma once

#include <windows.h>

namespace tassefiche {

inline int WindowDpi(HWND window) {
  const UINT dpi = window != nullptr ? GetDpiForWindow(window) : 0;
  return dpi != 0 ? static_cast<int>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

inline int TwipsToPixels(int twips, int dpi) {
  return MulDiv(twips, dpi, 1440);
}

// A length given in pixels at 96 DPI, at the window's DPI.
inline int Scaled(int pixels_at_96, int dpi) {
  return MulDiv(pixels_at_96, dpi, USER_DEFAULT_SCREEN_DPI);
}

}  // namespace tassefiche
