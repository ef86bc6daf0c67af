#include "platform/memory/memory_shell.h"

namespace tassefiche {

std::intptr_t MemoryShell::Execute(WindowHandle owner, std::wstring_view verb,
                                   std::wstring_view file, std::wstring_view parameters,
                                   std::wstring_view directory, int show) {
  requests.push_back({owner, std::wstring(verb), std::wstring(file), std::wstring(parameters),
                      std::wstring(directory), show});
  return result;
}

}  // namespace tassefiche
