// What the screen shows of a window's client area, captured from outside as a screenshot takes it.
#pragma once

#include <windows.h>

#include <vector>

namespace tassefiche::e2e {

class ScreenArea {
 public:
  explicit ScreenArea(HWND window);

  int Width() const { return width_; }
  int Height() const { return height_; }
  COLORREF At(int x, int y) const;
  // True when some pixel shows exactly that colour.
  bool Shows(COLORREF colour) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<COLORREF> pixels_;
};

}  // namespace tassefiche::e2e
