// In-memory dialogs: every box and modal form shown is recorded; the answers come from queues the
// test fills, and what the user does in a modal form from a function the test sets.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace tassefiche {

class MemoryDialogs : public Dialogs {
 public:
  struct MessageShown {
    std::wstring text;
    int style = 0;
    std::wstring title;
  };
  struct InputShown {
    std::wstring prompt;
    std::wstring title;
    std::wstring default_answer;
  };
  struct ModalShown {
    std::wstring form;   // the form's name
    std::wstring owner;  // the owner's name
  };

  MsgBoxResult MsgBox(std::wstring_view text, int style, std::wstring_view title) override;
  std::wstring InputBox(std::wstring_view prompt, std::wstring_view title,
                        std::wstring_view default_answer) override;
  // Runs the form's Load, records it, lets `while_modal` act as the user; a form that is still
  // loaded afterwards is closed as its frame closes it.
  void ShowModal(Form& form, Form& owner) override;

  // Answers, in order; a message box without a queued answer is closed with its first button, an
  // input box without one is answered with its default text. std::nullopt stands for Cancel.
  std::deque<MsgBoxResult> message_answers;
  std::deque<std::optional<std::wstring>> input_answers;
  // Runs while a message box shows, before it is answered: what the user does meanwhile (inserts a
  // medium, say).
  std::function<void(const MessageShown&)> while_message_shows;

  std::function<void(Form&)> while_modal;

  std::vector<MessageShown> messages;
  std::vector<InputShown> inputs;
  std::vector<ModalShown> modals;
};

}  // namespace tassefiche
