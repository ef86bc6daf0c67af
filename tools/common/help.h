// Help text shared by both tools.
#pragma once

#include <string>

namespace tools {

// The paragraphs on safety, messages and exit statuses, the same for both tools.
std::string CommonHelp();

}  // namespace tools
