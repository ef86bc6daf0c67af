// The dialogs port: the modal message box, the modal input box and the modal showing of a form.
#pragma once

#include <string>
#include <string_view>

namespace tassefiche {

class Form;

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
  // Creates the form's window owned by `owner`'s (so that it never falls behind it), runs the
  // form's Load, shows it centred and returns when it has been unloaded (by the program, or by the
  // user through its frame); `owner` takes no input meanwhile.
  virtual void ShowModal(Form& form, Form& owner) = 0;
};

}  // namespace tassefiche
