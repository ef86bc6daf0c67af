#include <windows.h>

#include <string>
#include <vector>

#include "common/entry.h"
#include "common/entry_common.h"
#include "common/interrupt_cleanup.h"
#include "shared/utf.h"

namespace tools {

int WindowsMain(int argc, wchar_t** argv, const char* tool_name, ToolFunction tool) {
  // No DLL is ever looked for beside the tool or in the current folder.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  HandleInterruptions();
  std::vector<std::string> words;
  for (int i = 1; i < argc; ++i) {
    words.push_back(shared::WideToUtf8(argv[i]));
  }
  return RunGuarded(words, tool_name, tool);
}

}  // namespace tools
