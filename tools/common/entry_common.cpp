#include "common/entry_common.h"

#include <exception>
#include <new>

#include "common/console.h"
#include "common/failure.h"

namespace tools {

int RunGuarded(std::span<const std::string> words, const char* tool_name, ToolFunction tool) {
  const std::string name = tool_name;
  try {
    const auto files = MakeNativeFileSystem();
    return tool(words, *files);
  } catch (const ToolError& error) {
    WriteError(name + " : " + error.what() + "\n");
    if (error.status() == Status::kUsage) {
      WriteError(name + " : « " + name + " /? » affiche l'aide.\n");
    }
    return static_cast<int>(error.status());
  } catch (const std::bad_alloc&) {
    WriteError(name + " : mémoire insuffisante\n");
  } catch (const std::exception& error) {
    WriteError(name + " : erreur inattendue : " + error.what() + "\n");
  }
  return static_cast<int>(Status::kUnexpected);
}

}  // namespace tools
