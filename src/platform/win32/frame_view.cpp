// Frames: containers that draw an etched group box with their caption, and pass what their controls
// tell them on to the form window.
#include <string>

#include "platform/simple_controls.h"
#include "platform/win32/dpi.h"
#include "platform/win32/form_window.h"
#include "platform/win32/views.h"

namespace tassefiche {

namespace {

constexpr const wchar_t* kFrameClass = L"Tassefiche.Frame";
constexpr const wchar_t* kFontProperty = L"Tassefiche.Font";

void PaintFrame(HWND frame) {
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(frame, &paint);
  RECT client{};
  GetClientRect(frame, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));

  const auto font = static_cast<HFONT>(GetPropW(frame, kFontProperty));
  const HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT box = client;
  box.top += metrics.tmHeight / 2;
  DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);

  const int length = GetWindowTextLengthW(frame);
  if (length > 0) {
    std::wstring caption(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(frame, caption.data(), length + 1);
    caption.resize(static_cast<std::size_t>(length));
    const int indent = Scaled(8, WindowDpi(frame));
    RECT text{client.left + indent, client.top, client.right - indent,
              client.top + metrics.tmHeight};
    DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
    text.left -= 2;
    text.right += 2;
    FillRect(dc, &text, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextW(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_CENTER);
  }
  SelectObject(dc, previous);
  EndPaint(frame, &paint);
}

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* form = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(frame, GWLP_USERDATA));
  if (form != nullptr && IsControlNotification(message)) {
    return form->Route(frame, message, wparam, lparam);
  }
  switch (message) {
    case WM_SETFONT:
      SetPropW(frame, kFontProperty, reinterpret_cast<HANDLE>(wparam));
      if (LOWORD(lparam) != 0) InvalidateRect(frame, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(GetPropW(frame, kFontProperty));
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(frame, message, wparam, lparam);
      InvalidateRect(frame, nullptr, TRUE);
      return result;
    }
    case WM_PAINT:
      PaintFrame(frame);
      return 0;
    case WM_ERASEBKGND:
      return TRUE;
    case WM_NCDESTROY:
      RemovePropW(frame, kFontProperty);
      break;
    default:
      break;
  }
  return DefWindowProcW(frame, message, wparam, lparam);
}

}  // namespace

void RegisterFrameClass() {
  WNDCLASSEXW frame_class{};
  frame_class.cbSize = sizeof frame_class;
  frame_class.lpfnWndProc = FrameProc;
  frame_class.hInstance = GetModuleHandleW(nullptr);
  frame_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  frame_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  frame_class.lpszClassName = kFrameClass;
  RegisterClassExW(&frame_class);
}

const wchar_t* FrameView::WindowClass() const {
  return kFrameClass;
}

void FrameView::ShowAll() {
  // The frame's window procedure finds the form window here.
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&form_));
  ShowAspect(Aspect::kCaption);
}

void FrameView::ShowAspect(Aspect aspect) {
  if (aspect == Aspect::kCaption) {
    SetWindowTextW(hwnd_, static_cast<const Frame&>(control_).Caption().c_str());
  }
}

}  // namespace tassefiche
