// The dialogs port: the modal message box and the modal input box.
#pragma once

#include <string>
#include <string_view>

namespace tassefiche {

// Message box styles, with the values the window system gives them.
enum MsgBoxStyle : int {
  kMsgOkOnly = 0,
  kMsgRetryCancel = 5,
  kMsgCritical = 16,
  kMsgQuestion = 32,
  kMsgInformation = 64,
};

enum class MsgBoxResult { kOk = 1, kCancel = 2, kRetry = 4 };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows a modal message box and returns the button pressed (closing the box counts as Cancel, or
  // as OK for a box that has only OK). Lines of `text` are separated by a carriage return alone.
  virtual MsgBoxResult MsgBox(std::wstring_view text, int style, std::wstring_view title) = 0;
  // Shows a modal input box; returns the edited text, or empty text when the user pressed Cancel
  // or closed the box.
  virtual std::wstring InputBox(std::wstring_view prompt, std::wstring_view title,
                                std::wstring_view default_answer) = 0;
};

}  // namespace tassefiche
