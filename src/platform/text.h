// Text rules shared by the core: letter case as Windows file names and the command lines use it,
// and the "blank" of the job paths (the space character only).
#pragma once

#include <string>
#include <string_view>

namespace tassefiche {

// Upper case of the Latin, Greek and Cyrillic letters, as file names compare (the rule shared with
// the tools, shared/letter_case.h); other characters are unchanged.
wchar_t ToUpper(wchar_t c);
std::wstring ToUpper(std::wstring_view text);

// Comparison of names ignoring letter case, as the file system compares them.
bool EqualsNoCase(std::wstring_view a, std::wstring_view b);
int CompareNoCase(std::wstring_view a, std::wstring_view b);

// Removes leading and trailing spaces (code 32); tabs and other blanks stay.
std::wstring TrimBlanks(std::wstring_view text);

}  // namespace tassefiche
