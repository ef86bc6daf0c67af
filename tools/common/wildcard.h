// File name patterns as command lines of both platforms write them: `*` for any run of characters,
// `?` for one character, letters compared without regard to case. As on Windows, a pattern ending
// in ".*" also takes names without an extension ("*.*" takes every name).
#pragma once

#include <string_view>

namespace tools {

bool HasWildcards(std::string_view text);
bool WildcardMatch(std::string_view pattern, std::string_view name);

// Equality of names without regard to case (the same folding as the patterns).
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace tools
