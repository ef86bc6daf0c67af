#include "platform/win32/win32_dialogs.h"

#include <string>

#include "platform/form.h"
#include "platform/win32/form_window.h"

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

// The owner is disabled while the form shows, as a modal dialog's owner is, and enabled again by
// the form's window as it goes. A quit that arrives meanwhile ends this loop and is passed on to
// the program's own loop.
void Win32Dialogs::ShowModal(Form& form, Form& owner) {
  const auto owner_window = reinterpret_cast<HWND>(owner.Handle());
  FormWindow window(form);
  window.Create(owner_window);
  window.Dispatch([&] { form.Load(); });
  if (owner_window != nullptr) EnableWindow(owner_window, FALSE);
  window.ShowCentred(SW_SHOWNORMAL);
  MSG message{};
  while (window.Hwnd() != nullptr) {
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (window.PreTranslate(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  if (owner_window != nullptr) {
    EnableWindow(owner_window, TRUE);
    SetActiveWindow(owner_window);
  }
}

}  // namespace tassefiche
