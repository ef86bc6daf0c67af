// Check boxes and option buttons: the user's click sets the control's value, which raises Click.
#include "platform/simple_controls.h"
#include "platform/win32/form_window.h"
#include "platform/win32/views.h"

namespace tassefiche {

void CheckBoxView::ShowAll() {
  ShowAspect(Aspect::kCaption);
  ShowAspect(Aspect::kValue);
}

void CheckBoxView::ShowAspect(Aspect aspect) {
  const auto& box = static_cast<const CheckBox&>(control_);
  if (aspect == Aspect::kCaption) SetWindowTextW(hwnd_, box.Caption().c_str());
  if (aspect == Aspect::kValue) {
    const WPARAM state = box.Value() == CheckBox::kChecked ? BST_CHECKED : BST_UNCHECKED;
    SendMessageW(hwnd_, BM_SETCHECK, state, 0);
  }
}

void CheckBoxView::OnCommand(WORD code) {
  if (code != BN_CLICKED) return;
  const bool checked = SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  static_cast<CheckBox&>(control_).SetValue(checked ? CheckBox::kChecked : CheckBox::kUnchecked);
}

// The first option button of a container starts the group that the arrow keys move in.
DWORD OptionButtonView::Style() const {
  const ControlLayout& self = control_.Layout();
  bool first = true;
  for (const ControlLayout& row : form_.Layout().controls) {
    if (row.kind == ControlKind::kOptionButton && row.container == self.container &&
        row.tab_index < self.tab_index) {
      first = false;
    }
  }
  return BS_AUTORADIOBUTTON | (first ? WS_GROUP : 0U);
}

void OptionButtonView::ShowAll() {
  ShowAspect(Aspect::kCaption);
  ShowAspect(Aspect::kValue);
}

// Tab reaches a group of option buttons on its selected one, so only that one is a tab stop.
void OptionButtonView::ShowAspect(Aspect aspect) {
  const auto& option = static_cast<const OptionButton&>(control_);
  if (aspect == Aspect::kCaption) SetWindowTextW(hwnd_, option.Caption().c_str());
  if (aspect == Aspect::kValue) {
    SendMessageW(hwnd_, BM_SETCHECK, option.Value() ? BST_CHECKED : BST_UNCHECKED, 0);
    LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
    style = option.Value() ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
  }
}

void OptionButtonView::OnCommand(WORD code) {
  if (code != BN_CLICKED) return;
  if (SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED) {
    static_cast<OptionButton&>(control_).Select();
  }
}

}  // namespace tassefiche
