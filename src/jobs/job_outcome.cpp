// A job's tool, from its launch to its outcome. It runs on its own after the job, and the pointer
// over the window says so until the last tool has ended. A success shows nothing (the new file
// appears in the target pane by itself); a failure shows the tool's own message.
#include <string>

#include "app/msg_box.h"
#include "jobs/command_line.h"
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

// A tool whose end the platform cannot hear runs on unseen: counted, it would keep the pointer
// busy for ever.
void FrmCopy::LaunchTool(const ToolLaunch& launch, CommandButton& button) {
  if (!platform_.processes.LaunchWatched(launch.program, launch.command_line, WindowStyle::kHidden,
                                         WhenToolEnds(button))) {
    return;
  }
  if (++tools_running_ == 1) SetPointer(MousePointer::kArrowHourglass);
}

// The pointer is told first: the failure box of the last tool shows over a window at rest.
std::function<void(const ProcessOutcome&)> FrmCopy::WhenToolEnds(CommandButton& button) {
  return [this, &button, source = module1_.SourceFile](const ProcessOutcome& outcome) {
    if (--tools_running_ == 0) SetPointer(MousePointer::kDefault);
    if (outcome.exit_code == 0) return;
    MsgBox(platform_.dialogs, ToolMessage(outcome), kMsgCritical, L"Erreur");
    if (module1_.SourceFile == source) button.SetEnabled(true);
  };
}

}  // namespace tassefiche
