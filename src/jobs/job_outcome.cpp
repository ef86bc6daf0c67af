// The outcome of a job's tool, which runs on its own after the job: a success shows nothing (the
// new file appears in the target pane by itself); a failure shows the tool's own message.
#include <string>

#include "app/msg_box.h"
#include "main_window/frm_copy.h"

namespace tassefiche {

namespace {

// The tool's lines, joined by a carriage return alone as the boxes have them; the tool's status
// when it said nothing.
std::wstring ToolMessage(const ProcessOutcome& outcome) {
  std::wstring text;
  for (const wchar_t c : outcome.error_text) {
    if (c == L'\r') continue;
    text += c == L'\n' ? L'\r' : c;
  }
  while (!text.empty() && (text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  if (text.empty()) {
    text =
        L"L'outil s'est arrêté sur une erreur (code " + std::to_wstring(outcome.exit_code) + L").";
  }
  return text;
}

}  // namespace

std::function<void(const ProcessOutcome&)> FrmCopy::WhenToolEnds(CommandButton& button) {
  return [this, &button, source = module1_.SourceFile](const ProcessOutcome& outcome) {
    if (outcome.exit_code == 0) return;
    MsgBox(platform_.dialogs, ToolMessage(outcome), kMsgCritical, L"Erreur");
    if (module1_.SourceFile == source) button.SetEnabled(true);
  };
}

}  // namespace tassefiche
