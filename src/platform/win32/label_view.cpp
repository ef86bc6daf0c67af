// Labels: text in their colour on the form's background, or on a background colour of their own;
// one that sizes itself to its caption keeps its left edge, or its centre when its text is centred.
// A label that handles Click takes the mouse, and shows its text as it stands (a link's text, not
// a caption with an access key). In high contrast a label draws in the system colours of text on
// the form, or of a link. A label that names a control ends where that control begins.
#include <algorithm>

#include "platform/simple_controls.h"
#include "platform/win32/dpi.h"
#include "platform/win32/form_window.h"
#include "platform/win32/views.h"

namespace tassefiche {

namespace {

const Label& LabelOf(const Control& control) {
  return static_cast<const Label&>(control);
}

}  // namespace

LabelView::~LabelView() {
  if (back_brush_ != nullptr) DeleteObject(back_brush_);
}

DWORD LabelView::Style() const {
  const DWORD alignment = control_.Layout().particulars.centred ? SS_CENTER : SS_LEFT;
  return alignment | (LabelOf(control_).on_click ? SS_NOTIFY | SS_NOPREFIX : 0U);
}

HBRUSH LabelView::OnCtlColor(HDC dc) {
  const Particulars& particulars = control_.Layout().particulars;
  if (form_.HighContrast()) {
    SetTextColor(dc, LabelOf(control_).on_click ? GetSysColor(COLOR_HOTLIGHT) : form_.TextColour());
    SetBkMode(dc, TRANSPARENT);
    return form_.BackBrush();
  }
  if (const std::optional<Rgb>& fore = particulars.fore_color) {
    SetTextColor(dc, RGB(fore->red, fore->green, fore->blue));
  } else {
    SetTextColor(dc, GetSysColor(particulars.window_text ? COLOR_WINDOWTEXT : COLOR_BTNTEXT));
  }
  if (!particulars.back_color) {
    SetBkMode(dc, TRANSPARENT);
    return form_.BackBrush();
  }
  const Rgb& rgb = *particulars.back_color;
  const COLORREF colour = RGB(rgb.red, rgb.green, rgb.blue);
  if (back_brush_ == nullptr) back_brush_ = CreateSolidBrush(colour);
  SetBkColor(dc, colour);
  return back_brush_;
}

// The label comes just before the control it names in the window order, so it lies above that
// control, whose top border it would hide where the layout lets the two overlap.
int LabelView::WindowHeight(int dpi) const {
  const ControlLayout& row = control_.Layout();
  const int height = Win32View::WindowHeight(dpi);
  if (row.particulars.names.empty()) return height;
  for (const ControlLayout& named : form_.Layout().controls) {
    const int room = TwipsToPixels(named.top, dpi) - TwipsToPixels(row.top, dpi);
    if (named.name == row.particulars.names && room > 0) return std::min(height, room);
  }
  return height;
}

void LabelView::OnCommand(WORD code) {
  // Each click counts, the second of a quick pair too, as it does on a button.
  if (code == STN_CLICKED || code == STN_DBLCLK) LabelOf(control_).Click();
}

void LabelView::ShowAspect(Aspect aspect) {
  if (aspect != Aspect::kCaption) return;
  SetWindowTextW(hwnd_, LabelOf(control_).Caption().c_str());
  FitToCaption(Dpi());
}

void LabelView::Place(int dpi) {
  Win32View::Place(dpi);
  FitToCaption(dpi);
}

void LabelView::FitToCaption(int dpi) {
  const ControlLayout& row = control_.Layout();
  if (!row.particulars.auto_size) return;
  const std::wstring& caption = LabelOf(control_).Caption();
  const HDC dc = GetDC(hwnd_);
  const HGDIOBJ previous =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
  RECT text{};
  const UINT prefix = (GetWindowLongPtrW(hwnd_, GWL_STYLE) & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0U;
  DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT | prefix);
  SelectObject(dc, previous);
  ReleaseDC(hwnd_, dc);
  const int width = text.right - text.left;
  const int height = text.bottom - text.top;
  // A shorter caption uncovers part of the parent, which must be painted again.
  RECT before{};
  GetWindowRect(hwnd_, &before);
  MapWindowPoints(nullptr, GetParent(hwnd_), reinterpret_cast<POINT*>(&before), 2);
  if (row.particulars.centred) {
    const int centre =
        (TwipsToPixels(row.left, dpi) + TwipsToPixels(row.left + row.width, dpi)) / 2;
    SetWindowPos(hwnd_, nullptr, centre - width / 2, TwipsToPixels(row.top, dpi), width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    SetWindowPos(hwnd_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(GetParent(hwnd_), &before, TRUE);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

}  // namespace tassefiche
