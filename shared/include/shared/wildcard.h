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

#include <memory>
#include <string>
#include <string_view>

namespace shared {

// A pattern in capitals already (ToUpper), split once so that it matches many names quickly: what
// stands before its first `*` must begin the name and what stands after its last one must end it,
// so only the part between needs a search ("*.TXT" costs a comparison of four characters).
class Wildcard {
 public:
  explicit Wildcard(std::u32string_view pattern);

  // `*` and `?` only; the name in capitals too.
  bool Glob(std::u32string_view name) const;
  // The same, and, as on the Windows command line, a pattern ending in ".*" also takes names
  // without an extension ("*.*" takes every name, "RAPPORT.*" also takes "RAPPORT").
  bool Match(std::u32string_view name) const;

 private:
  std::u32string head_;           // before the first `*` (the whole pattern when it has none)
  std::u32string middle_;         // from the first `*` to the last one; empty without `*`
  std::u32string tail_;           // after the last `*`
  bool middle_takes_all_ = true;  // the middle is `*` only
  std::shared_ptr<const Wildcard> extensionless_;  // the pattern without its final ".*"
};

// The same for one name.
bool GlobUpperCased(std::u32string_view pattern, std::u32string_view name);
bool MatchUpperCased(std::u32string_view pattern, std::u32string_view name);

}  // namespace shared
