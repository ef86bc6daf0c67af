// Labels: text on the form's background, or on a background colour of their own; the file-count
// line sizes itself to its caption.
#include "platform/simple_controls.h"
#include "platform/win32/views.h"

namespace tassefiche {

LabelView::~LabelView() {
  if (back_brush_ != nullptr) DeleteObject(back_brush_);
}

HBRUSH LabelView::OnCtlColor(HDC dc) {
  const Particulars& particulars = control_.Layout().particulars;
  SetTextColor(dc, GetSysColor(particulars.window_text ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
  if (!particulars.back_color) {
    SetBkMode(dc, TRANSPARENT);
    return GetSysColorBrush(COLOR_BTNFACE);
  }
  const Rgb& rgb = *particulars.back_color;
  const COLORREF colour = RGB(rgb.red, rgb.green, rgb.blue);
  if (back_brush_ == nullptr) back_brush_ = CreateSolidBrush(colour);
  SetBkColor(dc, colour);
  return back_brush_;
}

void LabelView::ShowAspect(Aspect aspect) {
  if (aspect != Aspect::kCaption) return;
  SetWindowTextW(hwnd_, static_cast<const Label&>(control_).Caption().c_str());
  FitToCaption();
}

void LabelView::Place(int dpi) {
  Win32View::Place(dpi);
  FitToCaption();
}

void LabelView::FitToCaption() {
  if (!control_.Layout().particulars.auto_size) return;
  const std::wstring& caption = static_cast<const Label&>(control_).Caption();
  const HDC dc = GetDC(hwnd_);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
  RECT text{};
  DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
  SelectObject(dc, previous);
  ReleaseDC(hwnd_, dc);
  // A shorter caption uncovers part of the parent, which must be painted again.
  RECT before{};
  GetWindowRect(hwnd_, &before);
  MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&before), 2);
  SetWindowPos(hwnd_, nullptr, 0, 0, text.right - text.left, text.bottom - text.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(GetParent(hwnd_), &before, TRUE);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

}  // namespace tassefiche
