// Text out of the tools, given in UTF-8. On Linux the bytes go out as they are. On Windows a
// console gets the text through WriteConsoleW, so that accents show whatever the console's code
// page; a redirected stream (file, pipe) gets UTF-8 bytes, which every current tool reads.
#pragma once

#include <string_view>

namespace tools {

void WriteOut(std::string_view text);
void WriteError(std::string_view text);

}  // namespace tools
