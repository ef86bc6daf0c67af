// The start of both tools: the platform's argument vector becomes UTF-8 words, and whatever escapes
// the tool becomes a message and a status rather than a crash.
#pragma once

#include <span>
#include <string>

#include "common/file_system.h"

namespace tools {

using ToolFunction = int (*)(std::span<const std::string> words, FileSystem& files);

#ifdef _WIN32
int WindowsMain(int argc, wchar_t** argv, const char* tool_name, ToolFunction tool);
#else
int PosixMain(int argc, char** argv, const char* tool_name, ToolFunction tool);
#endif

}  // namespace tools
