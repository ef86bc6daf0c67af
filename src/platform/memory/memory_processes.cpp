#include "platform/memory/memory_processes.h"

#include <stdexcept>
#include <utility>

#include "platform/platform_error.h"

namespace tassefiche {

void MemoryProcesses::Launch(std::wstring_view program, std::wstring_view command_line,
                             WindowStyle style) {
  Start(program, command_line, style, nullptr);
}

bool MemoryProcesses::LaunchWatched(std::wstring_view program, std::wstring_view command_line,
                                    WindowStyle style,
                                    std::function<void(const ProcessOutcome&)> on_end) {
  Start(program, command_line, style, watch_no_more ? nullptr : std::move(on_end));
  return !watch_no_more;
}

void MemoryProcesses::Start(std::wstring_view program, std::wstring_view command_line,
                            WindowStyle style, std::function<void(const ProcessOutcome&)> on_end) {
  // Without a program of its own, the program is the head of the line, as the real launcher takes
  // it.
  const std::wstring_view head =
      program.empty() ? command_line.substr(0, command_line.find(L' ')) : program;
  if (!files_.FileExists(head)) throw PlatformError("program not found");
  launched.push_back({std::wstring(program), std::wstring(command_line), style, std::move(on_end)});
}

void MemoryProcesses::End(std::size_t index, ProcessOutcome outcome) {
  auto on_end = std::exchange(launched.at(index).on_end, nullptr);
  if (!on_end) throw std::logic_error("a program that is not watched, or that ended already");
  loop_.Post([on_end = std::move(on_end), outcome = std::move(outcome)] { on_end(outcome); });
}

}  // namespace tassefiche
