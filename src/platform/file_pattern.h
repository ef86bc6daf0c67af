// The display pattern of a file list.
//
// - "*" stands for any run of characters (also none), "?" for exactly one character; letter case is
//   ignored, as the file system ignores it.
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

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tassefiche {

class FilePattern {
 public:
  static FilePattern Parse(std::wstring_view text);
  bool Matches(std::wstring_view name) const;
  // The same for a name already in upper case (see ToUpper), as a list that keeps its names' keys
  // has them: no copy per name.
  bool MatchesUpperCase(std::wstring_view upper_name) const;

 private:
  // One pattern of the text, in upper case, split once so that matching a name compares what stands
  // before the first "*" and after the last one directly and searches only between them.
  struct Part {
    std::wstring head;               // before the first "*" (the whole pattern when it has none)
    std::wstring middle;             // from the first "*" to the last one; empty without "*"
    std::wstring tail;               // after the last "*"
    bool middle_matches_all = true;  // the middle is "*" only (or empty)
    std::shared_ptr<const Part> extensionless;  // what a name without an extension must match
    static Part Of(std::wstring_view text);
    bool Matches(std::wstring_view name) const;
  };
  std::vector<Part> parts_;  // none means every name
};

}  // namespace tassefiche
