// In-memory dialogs: every box shown is recorded, and the answers come from queues the test fills.
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

  MsgBoxResult MsgBox(std::wstring_view text, int style, std::wstring_view title) override;
  std::wstring InputBox(std::wstring_view prompt, std::wstring_view title,
                        std::wstring_view default_answer) override;

  // Answers, in order; a message box without a queued answer is closed with its first button, an
  // input box without one is answered with its default text. std::nullopt stands for Cancel.
  std::deque<MsgBoxResult> message_answers;
  std::deque<std::optional<std::wstring>> input_answers;
  // Runs while a message box shows, before it is answered: what the user does meanwhile (inserts a
  // medium, say).
  std::function<void(const MessageShown&)> while_message_shows;

  std::vector<MessageShown> messages;
  std::vector<InputShown> inputs;
};

}  // namespace tassefiche
