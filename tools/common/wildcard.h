// File name patterns as command lines of both platforms write them, in UTF-8: `*` for any run of
// characters, `?` for one character, letters compared without regard to case; as on Windows, a
// pattern ending in ".*" also takes names without an extension ("*.*" takes every name). These are
// the rules shared with the program's file list (shared/wildcard.h, which also says what each side
// adds on purpose). A pattern is one word: ";", blanks and a final "." belong to the name.
#pragma once

#include <string_view>

namespace tools {

bool HasWildcards(std::string_view text);
bool WildcardMatch(std::string_view pattern, std::string_view name);

// Equality of names without regard to case (the same folding as the patterns).
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace tools
