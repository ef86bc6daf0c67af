// Shared by the two platform entries.
#pragma once

#include <span>
#include <string>

#include "common/entry.h"

namespace tools {

int RunGuarded(std::span<const std::string> words, const char* tool_name, ToolFunction tool);

}  // namespace tools
