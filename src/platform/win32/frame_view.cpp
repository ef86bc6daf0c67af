// Frames: the platform's group box, which assistive technology knows as a group named by its
// caption, made a container of its controls: it passes what they tell it on to the form window,
// paints the form's background behind them, and keeps the mouse over its own surface (a group box
// lets clicks through to the window below, which would take them as clicks on the form).
#include <windows.h>

#include <commctrl.h>

#include "platform/simple_controls.h"
#include "platform/win32/form_window.h"
#include "platform/win32/views.h"

namespace tassefiche {

namespace {

constexpr UINT_PTR kContainerSubclass = 1;

LRESULT CALLBACK ContainerProc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam,
                               UINT_PTR /*id*/, DWORD_PTR data) {
  auto& form = *reinterpret_cast<FormWindow*>(data);
  if (IsControlNotification(message)) return form.Route(frame, message, wparam, lparam);
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(frame, &client);
      FillRect(reinterpret_cast<HDC>(wparam), &client, form.BackBrush());
      return TRUE;
    }
    case WM_NCHITTEST:
      return HTCLIENT;
    case WM_NCDESTROY:
      RemoveWindowSubclass(frame, ContainerProc, kContainerSubclass);
      break;
    default:
      break;
  }
  return DefSubclassProc(frame, message, wparam, lparam);
}

}  // namespace

void FrameView::ShowAll() {
  SetWindowSubclass(hwnd_, ContainerProc, kContainerSubclass, reinterpret_cast<DWORD_PTR>(&form_));
  ShowAspect(Aspect::kCaption);
}

void FrameView::ShowAspect(Aspect aspect) {
  if (aspect == Aspect::kCaption) {
    SetWindowTextW(hwnd_, static_cast<const Frame&>(control_).Caption().c_str());
  }
}

}  // namespace tassefiche
