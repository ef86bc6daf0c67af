#pragma once

#include <span>
#include <string>

#include "common/file_system.h"

namespace tools {

// EXPAND [-R] [-D] SOURCE... [DESTINATION]; returns the exit status.
int RunExpand(std::span<const std::string> words, FileSystem& files);

}  // namespace tools
