#include "platform/win32/win32_dialogs.h"

#include <string>

namespace tassefiche {

MsgBoxResult Win32Dialogs::MsgBox(std::wstring_view text, int style, std::wstring_view title) {
  const std::wstring body(text);
  const std::wstring caption(title);
  const int pressed = MessageBoxW(GetActiveWindow(), body.c_str(), caption.c_str(),
                                  static_cast<UINT>(style) | MB_SETFOREGROUND);
  switch (pressed) {
    case IDRETRY:
      return MsgBoxResult::kRetry;
    case IDCANCEL:
      return MsgBoxResult::kCancel;
    default:
      return MsgBoxResult::kOk;
  }
}

std::wstring Win32Dialogs::InputBox(std::wstring_view prompt, std::wstring_view title,
                                    std::wstring_view default_answer) {
  return ShowInputBox(GetActiveWindow(), prompt, title, default_answer);
}

}  // namespace tassefiche
