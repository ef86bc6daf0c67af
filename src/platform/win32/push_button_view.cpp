// Command buttons without a picture: the platform's own push button, the default one drawn as such.
#include "platform/simple_controls.h"
#include "platform/win32/views.h"

namespace tassefiche {

namespace {

const CommandButton& ButtonOf(const Control& control) {
  return static_cast<const CommandButton&>(control);
}

}  // namespace

DWORD PushButtonView::Style() const {
  const bool by_default = control_.Layout().particulars.default_button;
  return (by_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP;
}

void PushButtonView::ShowAspect(Aspect aspect) {
  if (aspect == Aspect::kCaption) SetWindowTextW(hwnd_, ButtonOf(control_).Caption().c_str());
}

void PushButtonView::OnCommand(WORD code) {
  if (code == BN_CLICKED) ButtonOf(control_).Press();
}

void PushButtonView::OnEnter() {
  ButtonOf(control_).Press();
}

}  // namespace tassefiche
