#pragma once

#include <string>

namespace tools {

std::string ExpandHelp();

}  // namespace tools
