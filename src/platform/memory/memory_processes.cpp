#include "platform/memory/memory_processes.h"

#include "platform/platform_error.h"

namespace tassefiche {

void MemoryProcesses::Launch(std::wstring_view program, std::wstring_view command_line,
                             WindowStyle style) {
  // Without a program of its own, the program is the head of the line, as the real launcher takes
  // it.
  const std::wstring_view head =
      program.empty() ? command_line.substr(0, command_line.find(L' ')) : program;
  if (!files_.FileExists(head)) throw PlatformError("program not found");
  launched.push_back({std::wstring(program), std::wstring(command_line), style});
}

}  // namespace tassefiche
