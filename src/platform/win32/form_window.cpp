#include "platform/win32/form_window.h"

#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>

#include <exception>
#include <optional>
#include <string>

#include "app/app_identity.h"
#include "platform/win32/dpi.h"
#include "platform/win32/high_contrast.h"
#include "platform/win32/views.h"
#include "platform/win32/win32_error.h"
#include "platform/window_order.h"

namespace tassefiche {

namespace {

std::wstring ClassName(const FormLayout& layout) {
  return L"Tassefiche." + std::wstring(layout.name);
}

DWORD WindowStyle(const FormLayout& layout) {
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  if (layout.resizable) style |= WS_THICKFRAME;
  if (layout.minimize_box) style |= WS_MINIMIZEBOX;
  if (layout.maximize_box) style |= WS_MAXIMIZEBOX;
  return style;
}

// A window that cannot be resized has the fixed dialog border.
DWORD ExStyle(const FormLayout& layout) {
  return WS_EX_CONTROLPARENT | (layout.resizable ? 0U : static_cast<DWORD>(WS_EX_DLGMODALFRAME));
}

// Posted by Close, so that the window goes once the handler that unloaded it has returned.
constexpr UINT kUnloadMessage = WM_APP + 1;
// Posted by a drop: the program that dragged the files waits until the drop returns, and must not
// wait on a box that the form may show.
constexpr UINT kDroppedMessage = WM_APP + 2;

// The arrow of the platform, which a class shows as its pointer unless it has one of its own (the
// I-beam of a text box, say).
bool ShowsTheArrow(HWND window) {
  return GetClassLongPtrW(window, GCLP_HCURSOR) ==
         reinterpret_cast<ULONG_PTR>(LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace

bool IsControlNotification(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return true;
    default:
      return false;
  }
}

FormWindow::FormWindow(Form& form) : form_(form) {}

FormWindow::~FormWindow() {
  form_.BindView(nullptr);
  views_.clear();
  if (hwnd_ != nullptr) DestroyWindow(hwnd_);
  if (big_icon_ != nullptr) DestroyIcon(big_icon_);
  if (small_icon_ != nullptr) DestroyIcon(small_icon_);
  if (own_back_brush_ != nullptr) DeleteObject(own_back_brush_);
}

// The class carries neither icons nor a background brush: a form loaded afresh registers its class
// only once, and these belong to each window, which sets them itself.
void FormWindow::Create(HWND owner) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const std::wstring class_name = ClassName(Layout());
  owner_ = owner;
  big_icon_ = ProgramIcon(GetSystemMetrics(SM_CXICON));
  small_icon_ = ProgramIcon(GetSystemMetrics(SM_CXSMICON));
  if (const std::optional<Rgb>& back = Layout().back_color) {
    own_back_brush_ = CreateSolidBrush(RGB(back->red, back->green, back->blue));
  }
  high_contrast_ = HighContrastChosen();

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = class_name.c_str();
  RegisterClassExW(&window_class);

  hwnd_ = CreateWindowExW(ExStyle(Layout()), class_name.c_str(), form_.Caption().c_str(),
                          WindowStyle(Layout()), CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, owner,
                          nullptr, instance, this);
  if (hwnd_ == nullptr) ThrowWin32Error("CreateWindow");
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_));
  form_.BindView(this);
  const int dpi = WindowDpi(hwnd_);
  const SIZE size = WindowSizeFor(dpi);
  SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                             WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, instance, nullptr);
  CreateControls({}, hwnd_, dpi);
  if (high_contrast_) ShowScheme();
  if (form_.on_ole_drag_drop) {
    drop_target_ = std::make_unique<DropTarget>(
        hwnd_, [this](std::vector<std::wstring> paths) { Dropped(std::move(paths)); });
  }
}

// The window system's tab order is the order of creation within each container.
void FormWindow::CreateControls(std::wstring_view container, HWND parent, int dpi) {
  for (const ControlLayout* row : WindowOrder(Layout(), container)) {
    Control* control = form_.Find(row->name);
    std::unique_ptr<Win32View> view = MakeView(*this, *control);
    by_id_[view->Id()] = view.get();
    view->Create(parent, dpi);
    const HWND created = view->Hwnd();
    views_.push_back(std::move(view));
    if (row->kind == ControlKind::kFrame) CreateControls(row->name, created, dpi);
  }
}

SIZE FormWindow::WindowSizeFor(int dpi) const {
  RECT rect{0, 0, TwipsToPixels(Layout().client_width, dpi),
            TwipsToPixels(Layout().client_height, dpi)};
  AdjustWindowRectExForDpi(&rect, WindowStyle(Layout()), FALSE, ExStyle(Layout()),
                           static_cast<UINT>(dpi));
  return {rect.right - rect.left, rect.bottom - rect.top};
}

void FormWindow::ShowCentred(int show_command) {
  RECT window{};
  GetWindowRect(hwnd_, &window);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  const RECT& area = monitor.rcWork;
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(hwnd_, show_command);
  // The focus goes to the first control of the tab order that can take it.
  if (const HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) SetFocus(first);
}

void FormWindow::Relayout(int dpi) {
  for (const auto& view : views_)
    view->Place(dpi);
}

HBRUSH FormWindow::BackBrush() const {
  if (high_contrast_)
    return GetSysColorBrush(own_back_brush_ != nullptr ? COLOR_WINDOW : COLOR_BTNFACE);
  return own_back_brush_ != nullptr ? own_back_brush_ : GetSysColorBrush(COLOR_BTNFACE);
}

// A form of the platform's dialog colour keeps the button face and its text; one with a background
// of its own shows text as a window of the scheme does.
COLORREF FormWindow::TextColour() const {
  return GetSysColor(own_back_brush_ != nullptr ? COLOR_WINDOWTEXT : COLOR_BTNTEXT);
}

// The controls' visual style keeps colours of its own, which the user's scheme would not reach; the
// classic controls draw with the system colours alone. A class list that names no class leaves a
// control without a visual style on every implementation of the platform (an empty one is refused
// by some); none at all gives it back the platform's.
void FormWindow::ShowScheme() const {
  const wchar_t* style = high_contrast_ ? L" " : nullptr;
  for (const auto& view : views_)
    SetWindowTheme(view->Hwnd(), style, style);
}

// The common controls keep the system colours they were made with until they are told of a change.
void FormWindow::Recolour() {
  const bool was_high_contrast = high_contrast_;
  high_contrast_ = HighContrastChosen();
  if (high_contrast_ != was_high_contrast) ShowScheme();
  EnumChildWindows(
      hwnd_,
      [](HWND child, LPARAM) {
        SendMessageW(child, WM_SYSCOLORCHANGE, 0, 0);
        return TRUE;
      },
      0);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void FormWindow::ShowCaption() {
  if (hwnd_ != nullptr) SetWindowTextW(hwnd_, form_.Caption().c_str());
}

void FormWindow::Close() {
  if (hwnd_ != nullptr) PostMessageW(hwnd_, kUnloadMessage, 0, 0);
}

// The owner gets its input back before this window goes, so that the platform activates it next.
void FormWindow::Destroy() {
  if (owner_ != nullptr) EnableWindow(owner_, TRUE);
  DestroyWindow(hwnd_);
}

bool FormWindow::PreTranslate(MSG& message) {
  return hwnd_ != nullptr && IsDialogMessageW(hwnd_, &message) != FALSE;
}

void FormWindow::SetToolTip(HWND control, std::wstring_view text) {
  std::wstring tip(text);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = tip.data();
  SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (!tip.empty()) SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void FormWindow::Dispatch(const std::function<void()>& event) {
  try {
    event();
  } catch (const std::exception& failure) {
    const std::wstring text = L"Opération impossible :\r" + FromUtf8(failure.what());
    MessageBoxW(hwnd_, text.c_str(), std::wstring(kAppTitle).c_str(), MB_OK | MB_ICONSTOP);
  }
}

Win32View* FormWindow::ViewOf(int id) const {
  const auto found = by_id_.find(id);
  return found == by_id_.end() ? nullptr : found->second;
}

Win32View* FormWindow::FocusedView() const {
  const HWND focus = GetFocus();
  return focus != nullptr && IsChild(hwnd_, focus) ? ViewOf(GetDlgCtrlID(focus)) : nullptr;
}

Win32View* FormWindow::ViewOf(const Control& control) const {
  for (const auto& view : views_) {
    if (&view->Model() == &control) return view.get();
  }
  return nullptr;
}

const Control* FormWindow::Focused() const {
  const Win32View* view = FocusedView();
  return view != nullptr ? &view->Model() : nullptr;
}

// As the dialog keyboard does when Tab reaches a text box: its whole text is selected, to be typed
// over.
void FormWindow::ShowFocus(const Control& control) {
  const Win32View* view = ViewOf(control);
  if (view == nullptr) return;
  SetFocus(view->Hwnd());
  if ((SendMessageW(view->Hwnd(), WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) {
    SendMessageW(view->Hwnd(), EM_SETSEL, 0, -1);
  }
}

void FormWindow::RestoreFocus() {
  if (IsWindowEnabled(saved_focus_) != FALSE) {
    SetFocus(saved_focus_);
    return;
  }
  const Win32View* view = ViewOf(GetDlgCtrlID(saved_focus_));
  const Control* next = view != nullptr ? form_.NextTabStop(view->Model()) : nullptr;
  if (next != nullptr) ShowFocus(*next);
}

Win32View* FormWindow::ViewWith(bool Particulars::*particular) const {
  for (const auto& view : views_) {
    if (view->Model().Layout().particulars.*particular) return view.get();
  }
  return nullptr;
}

// The pointing hand over the controls that can be clicked; while the form says that work goes on,
// the arrow with an hourglass wherever the arrow would show; elsewhere the class cursor.
bool FormWindow::SetCursorOver(HWND control) const {
  if (control != hwnd_ && IsChild(hwnd_, control) == FALSE) return false;
  const Win32View* view = control == hwnd_ ? nullptr : ViewOf(GetDlgCtrlID(control));
  if (view != nullptr && view->Model().Layout().particulars.hand_cursor) {
    SetCursor(PointingHand());
    return true;
  }
  if (form_.Pointer() == MousePointer::kArrowHourglass && ShowsTheArrow(control)) {
    SetCursor(LoadCursorW(nullptr, IDC_APPSTARTING));
    return true;
  }
  return false;
}

// The pointer resting over the window changes now, not at the next move of the mouse: the window
// under it is asked for its pointer as a move would ask it.
void FormWindow::ShowPointer() {
  POINT at{};
  if (hwnd_ == nullptr || GetCursorPos(&at) == FALSE) return;
  const HWND under = WindowFromPoint(at);
  if (under != hwnd_ && IsChild(hwnd_, under) == FALSE) return;
  const auto hit = static_cast<WORD>(SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y)));
  SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(hit, WM_MOUSEMOVE));
}

void FormWindow::Dropped(std::vector<std::wstring> paths) {
  drops_.push_back(std::move(paths));
  PostMessageW(hwnd_, kDroppedMessage, 0, 0);
}

LRESULT CALLBACK FormWindow::WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  return self->Handle(message, wparam, lparam);
}

LRESULT FormWindow::Route(HWND from, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND: {
      if (lparam == 0 && LOWORD(wparam) == IDOK) {
        // Enter, with no button to take it: the focused control may.
        if (Win32View* view = FocusedView()) Dispatch([&] { view->OnEnter(); });
        return 0;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        // Escape, wherever the focus lies: the cancel button, if the form has one.
        if (Win32View* view = ViewWith(&Particulars::cancel_button)) {
          Dispatch([&] { view->OnCommand(BN_CLICKED); });
        }
        return 0;
      }
      if (Win32View* view = ViewOf(LOWORD(wparam))) {
        const WORD code = HIWORD(wparam);
        Dispatch([&] { view->OnCommand(code); });
      }
      return 0;
    }
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lparam);
      LRESULT result = 0;
      if (Win32View* view = ViewOf(static_cast<int>(header.idFrom))) {
        Dispatch([&] { result = view->OnNotify(header); });
      }
      return result;
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      Win32View* view = ViewOf(static_cast<int>(item.CtlID));
      return view != nullptr && view->OnDrawItem(item) ? TRUE : FALSE;
    }
    case WM_MEASUREITEM: {
      auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
      if (Win32View* view = ViewOf(static_cast<int>(item.CtlID))) view->OnMeasureItem(item);
      return TRUE;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const auto control = reinterpret_cast<HWND>(lparam);
      if (Win32View* view = ViewOf(GetDlgCtrlID(control))) {
        return reinterpret_cast<LRESULT>(view->OnCtlColor(reinterpret_cast<HDC>(wparam)));
      }
      break;
    }
    default:
      break;
  }
  return DefWindowProcW(from, message, wparam, lparam);
}

LRESULT FormWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  if (IsControlNotification(message)) return Route(hwnd_, message, wparam, lparam);
  switch (message) {
    case DM_GETDEFID:
      // Enter presses the focused command button, as in a dialog, else the default button.
      if (Win32View* view = FocusedView();
          view != nullptr && view->Model().Layout().kind == ControlKind::kCommandButton) {
        return MAKELRESULT(view->Id(), DC_HASDEFID);
      }
      if (Win32View* view = ViewWith(&Particulars::default_button)) {
        return MAKELRESULT(view->Id(), DC_HASDEFID);
      }
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT && SetCursorOver(reinterpret_cast<HWND>(wparam))) return TRUE;
      break;
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(hwnd_, &client);
      FillRect(reinterpret_cast<HDC>(wparam), &client, BackBrush());
      return TRUE;
    }
    case WM_LBUTTONDOWN:
      pressed_on_surface_ = true;
      return 0;
    case WM_LBUTTONUP:
      if (pressed_on_surface_) {
        pressed_on_surface_ = false;
        Dispatch([&] { form_.Click(); });
      }
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wparam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd_, focus)) saved_focus_ = focus;
      } else if (saved_focus_ != nullptr && IsWindow(saved_focus_) != FALSE) {
        RestoreFocus();
        return 0;
      }
      break;
    case WM_SETTINGCHANGE:
      if (wparam == SPI_SETHIGHCONTRAST) Recolour();
      break;
    case WM_SYSCOLORCHANGE:
      Recolour();
      return 0;
    case WM_DPICHANGED: {
      const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
      Relayout(HIWORD(wparam));
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    case kDroppedMessage: {
      const std::vector<std::wstring> paths = std::move(drops_.front());
      drops_.pop_front();
      // A box that opened since the drop refuses it, as the platform refuses one made while it
      // shows: the handlers of the form run one at a time.
      if (IsWindowEnabled(hwnd_) != FALSE) Dispatch([&] { form_.OLEDragDrop(paths); });
      return 0;
    }
    case kUnloadMessage:
    case WM_CLOSE:
      Destroy();
      return 0;
    case WM_DESTROY:
      drop_target_.reset();
      // The window that no other owns is the program's main window.
      if (owner_ == nullptr) PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      hwnd_ = nullptr;
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

}  // namespace tassefiche
