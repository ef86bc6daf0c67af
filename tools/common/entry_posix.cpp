#include <string>
#include <vector>

#include "common/entry.h"
#include "common/entry_common.h"
#include "common/interrupt_cleanup.h"

namespace tools {

int PosixMain(int argc, char** argv, const char* tool_name, ToolFunction tool) {
  HandleInterruptions();
  const std::vector<std::string> words(argv + (argc > 0 ? 1 : 0), argv + argc);
  return RunGuarded(words, tool_name, tool);
}

}  // namespace tools
