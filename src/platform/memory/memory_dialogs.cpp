#include "platform/memory/memory_dialogs.h"

#include "platform/form.h"

namespace tassefiche {

MsgBoxResult MemoryDialogs::MsgBox(std::wstring_view text, int style, std::wstring_view title) {
  messages.push_back({std::wstring(text), style, std::wstring(title)});
  if (while_message_shows) while_message_shows(messages.back());
  if (message_answers.empty()) {
    return (style & 0x0F) == kMsgRetryCancel ? MsgBoxResult::kRetry : MsgBoxResult::kOk;
  }
  const MsgBoxResult answer = message_answers.front();
  message_answers.pop_front();
  return answer;
}

std::wstring MemoryDialogs::InputBox(std::wstring_view prompt, std::wstring_view title,
                                     std::wstring_view default_answer) {
  inputs.push_back({std::wstring(prompt), std::wstring(title), std::wstring(default_answer)});
  if (input_answers.empty()) return std::wstring(default_answer);
  std::optional<std::wstring> answer = std::move(input_answers.front());
  input_answers.pop_front();
  return answer.value_or(std::wstring());
}

void MemoryDialogs::ShowModal(Form& form, Form& owner) {
  form.Load();
  modals.push_back({std::wstring(form.Layout().name), std::wstring(owner.Layout().name)});
  if (while_modal) while_modal(form);
  if (!form.Unloaded()) form.Unload();
}

}  // namespace tassefiche
