// The text box: what the user types reaches the control at every keystroke.
#include <string>

#include "platform/simple_controls.h"
#include "platform/win32/views.h"

namespace tassefiche {

void TextBoxView::ShowAspect(Aspect aspect) {
  if (aspect != Aspect::kText) return;
  pushing_ = true;
  SetWindowTextW(hwnd_, static_cast<const TextBox&>(control_).Text().c_str());
  pushing_ = false;
}

void TextBoxView::OnCommand(WORD code) {
  if (code != EN_CHANGE || pushing_) return;
  const int length = GetWindowTextLengthW(hwnd_);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(hwnd_, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  static_cast<TextBox&>(control_).Edited(text);
}

}  // namespace tassefiche
