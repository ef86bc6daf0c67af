#pragma once

#include <span>
#include <string>

#include "common/file_system.h"

namespace tools {

// COMPRESS [-R] [-D] SOURCE... DESTINATION; returns the exit status.
int RunCompress(std::span<const std::string> words, FileSystem& files);

}  // namespace tools
