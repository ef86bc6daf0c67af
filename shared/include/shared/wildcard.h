// File name wildcards, as the program's file list and the tools both read them: `*` stands for any
// run of characters (none too), `?` for exactly one character, and letters match whatever their
// case (see letter_case.h).
//
// What each side adds, on purpose, stays with it:
// - the file list (src/platform/file_pattern.h) takes several patterns joined by ";" with blanks
//   around them, refuses characters that no file name holds, and lets a pattern ending in a bare
//   "." take only names without an extension ("*."), as its filter box offers;
// - the tools (tools/common/wildcard.h) take one pattern per word of their command line, where ";",
//   blanks and a final "." are part of a name, as they are on Linux, and expand a pattern in the
//   last component of a path only.
#pragma once

#include <string_view>

namespace shared {

// `*` and `?` only. Both texts are in capitals already (ToUpper), so that a pattern is upper-cased
// once for many names.
bool GlobUpperCased(std::u32string_view pattern, std::u32string_view name);

// The same, and, as on the Windows command line, a pattern ending in ".*" also takes names without
// an extension ("*.*" takes every name, "RAPPORT.*" also takes "RAPPORT").
bool MatchUpperCased(std::u32string_view pattern, std::u32string_view name);

}  // namespace shared
