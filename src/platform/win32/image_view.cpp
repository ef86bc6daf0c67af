// Images: the picture drawn to fill the control (the program icon stretched; the donation picture
// at its natural size, which the layout gives the control), over the form's background. An image
// that handles Click takes the mouse. An image carries its tooltip as its text, which it never
// draws: assistive technology names the picture by it.
#include "platform/simple_controls.h"
#include "platform/win32/form_window.h"
#include "platform/win32/views.h"

namespace tassefiche {

namespace {

const Image& ImageOf(const Control& control) {
  return static_cast<const Image&>(control);
}

}  // namespace

DWORD ImageView::Style() const {
  return SS_OWNERDRAW | (ImageOf(control_).on_click ? SS_NOTIFY : 0U);
}

bool ImageView::OnDrawItem(const DRAWITEMSTRUCT& item) {
  const RECT& area = item.rcItem;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  FillRect(item.hDC, &area, form_.BackBrush());
  if (const HICON picture = form_.Pictures().Get(control_.Layout().particulars.picture, width)) {
    DrawIconEx(item.hDC, area.left, area.top, picture, width, height, 0, nullptr, DI_NORMAL);
  }
  return true;
}

void ImageView::ShowAll() {
  SetWindowTextW(hwnd_, control_.ToolTipText().c_str());
}

void ImageView::OnCommand(WORD code) {
  if (code == STN_CLICKED || code == STN_DBLCLK) ImageOf(control_).Click();
}

}  // namespace tassefiche
