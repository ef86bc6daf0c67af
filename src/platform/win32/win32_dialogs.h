// The dialogs port: the real MessageBoxW, and our own small modal input box, both modal to the
// program's active window; and a form shown modally in a window of its own, owned by its owner's.
#pragma once

#include <windows.h>

#include "platform/dialogs.h"

namespace tassefiche {

class Win32Dialogs : public Dialogs {
 public:
  MsgBoxResult MsgBox(std::wstring_view text, int style, std::wstring_view title) override;
  std::wstring InputBox(std::wstring_view prompt, std::wstring_view title,
                        std::wstring_view default_answer) override;
  void ShowModal(Form& form, Form& owner) override;
};

// The input box itself; empty text on Cancel or when closed.
std::wstring ShowInputBox(HWND owner, std::wstring_view prompt, std::wstring_view title,
                          std::wstring_view default_answer);

}  // namespace tassefiche
