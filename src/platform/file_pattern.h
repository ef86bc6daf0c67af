// The display pattern of a file list.
//
// - "*" stands for any run of characters (also none), "?" for exactly one character; letter case is
//   ignored, as the file system ignores it. These rules and the one on ".*" below are shared with
//   the tools (shared/wildcard.h); the others are the file list's own.
// - Several patterns may be joined by ";" ("*.txt;*.doc"); blanks around each one are ignored,
//   and a name is shown when it matches any of them.
// - As on the command line of the platform, a pattern ending in ".*" also matches names without an
//   extension ("*.*" shows every file, "rapport.*" also shows "rapport"), and a pattern ending in a
//   bare "." matches only names without an extension ("*.").
// - An empty text (or only blanks and ";") shows every file: a user who empties the box to
//   retype it should not be told off.
// - A text holding a character that cannot occur in a file name (\ / : " < > | or a control
//   character) is refused: Parse raises PlatformError.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shared/wildcard.h"

namespace tassefiche {

class FilePattern {
 public:
  static FilePattern Parse(std::wstring_view text);
  bool Matches(std::wstring_view name) const;
  // The same for a name already as ComparisonKey gives it, as a list that keeps its names' keys
  // has them: no conversion per name.
  bool MatchesKey(std::u32string_view key) const;

 private:
  struct Part {
    shared::Wildcard pattern;
    std::optional<shared::Wildcard> extensionless;  // for a pattern ending in a bare "."
  };
  std::vector<Part> parts_;  // none means every name
};

// A name as names are compared: its characters, in capitals.
std::u32string ComparisonKey(std::wstring_view name);

}  // namespace tassefiche
