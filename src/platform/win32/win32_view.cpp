#include "platform/win32/win32_view.h"

#include "platform/win32/dpi.h"
#include "platform/win32/form_window.h"

namespace tassefiche {

Win32View::~Win32View() {
  control_.BindView(nullptr);
}

int Win32View::Id() const {
  const ControlLayout& row = control_.Layout();
  if (row.tab_index != kNoTabIndex) return 1000 + row.tab_index;
  return 2000 + static_cast<int>(&row - form_.Layout().controls.data());
}

// Siblings clip each other, so that where the layout lets two controls overlap, the one that comes
// first in the window order does not paint over the other.
void Win32View::Create(HWND parent, int dpi) {
  const ControlLayout& row = control_.Layout();
  hwnd_ = CreateWindowExW(
      ExStyle(), WindowClass(), L"", Style() | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
      TwipsToPixels(row.left, dpi), TwipsToPixels(row.top, dpi), TwipsToPixels(row.width, dpi),
      WindowHeight(dpi), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(Id())),
      GetModuleHandleW(nullptr), nullptr);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font(dpi)), FALSE);
  control_.BindView(this);
  EnableWindow(hwnd_, control_.Enabled() ? TRUE : FALSE);
  // A tooltip of the layout was given before the window existed.
  if (!control_.ToolTipText().empty()) form_.SetToolTip(hwnd_, control_.ToolTipText());
  ShowAll();
}

void Win32View::Place(int dpi) {
  const ControlLayout& row = control_.Layout();
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(Font(dpi)), FALSE);
  SetWindowPos(hwnd_, nullptr, TwipsToPixels(row.left, dpi), TwipsToPixels(row.top, dpi),
               TwipsToPixels(row.width, dpi), WindowHeight(dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

int Win32View::WindowHeight(int dpi) const {
  return TwipsToPixels(control_.Layout().height, dpi);
}

void Win32View::Show(Aspect aspect) {
  if (hwnd_ == nullptr) return;
  switch (aspect) {
    case Aspect::kEnabled:
      EnableWindow(hwnd_, control_.Enabled() ? TRUE : FALSE);
      break;
    case Aspect::kToolTip:
      form_.SetToolTip(hwnd_, control_.ToolTipText());
      break;
    default:
      ShowAspect(aspect);
      break;
  }
}

HBRUSH Win32View::OnCtlColor(HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, form_.HighContrast() ? form_.TextColour() : GetSysColor(COLOR_BTNTEXT));
  return form_.BackBrush();
}

HFONT Win32View::Font(int dpi) const {
  const ControlLayout& row = control_.Layout();
  return form_.Fonts().Get(row.font != nullptr ? *row.font : form_.Layout().font, dpi);
}

int Win32View::Dpi() const {
  return WindowDpi(hwnd_);
}

}  // namespace tassefiche
