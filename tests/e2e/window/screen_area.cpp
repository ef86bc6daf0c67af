#include "screen_area.h"

#include <algorithm>
#include <cstdint>

namespace tassefiche::e2e {

ScreenArea::ScreenArea(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  width_ = client.right;
  height_ = client.bottom;
  if (width_ <= 0 || height_ <= 0) return;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HDC screen = GetDC(nullptr);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width_, height_, screen, origin.x, origin.y, SRCCOPY | CAPTUREBLT);
  GdiFlush();
  const auto* row = static_cast<const std::uint32_t*>(bits);
  pixels_.reserve(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
  for (int i = 0; i < width_ * height_; ++i) {
    const std::uint32_t bgra = row[i];
    pixels_.push_back(RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF));
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
}

COLORREF ScreenArea::At(int x, int y) const {
  return pixels_.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                    static_cast<std::size_t>(x));
}

bool ScreenArea::Shows(COLORREF colour) const {
  return std::find(pixels_.begin(), pixels_.end(), colour) != pixels_.end();
}

}  // namespace tassefiche::e2e
