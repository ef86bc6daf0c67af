// The command tail, what follows the program's name on its command line: its arguments, split as
// the platform's C runtime splits them for every program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tassefiche {

// Blanks and tabs outside double quotes separate the arguments; a double quote opens or closes a
// quoted part and is not kept, and two in a row inside quotes give one. Backslashes are kept as
// they are, except before a double quote: 2n of them give n and the quote counts as a quote, 2n+1
// give n and the quote itself.
std::vector<std::wstring> SplitArguments(std::wstring_view tail);

}  // namespace tassefiche
