#pragma once

#include <string>

namespace tools {

std::string CompressHelp();

}  // namespace tools
