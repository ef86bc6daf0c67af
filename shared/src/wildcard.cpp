#include "shared/wildcard.h"

namespace shared {

// Iterative, backtracking to the last star only: linear memory, no recursion, and quadratic time at
// worst, however many stars.
bool GlobUpperCased(std::u32string_view pattern, std::u32string_view name) {
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t star = std::u32string_view::npos;
  std::size_t resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == U'*') {
      star = p++;
      resume = n;
    } else if (star != std::u32string_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*')
    ++p;
  return p == pattern.size();
}

bool MatchUpperCased(std::u32string_view pattern, std::u32string_view name) {
  if (GlobUpperCased(pattern, name)) return true;
  return pattern.ends_with(U".*") && name.find(U'.') == std::u32string_view::npos &&
         GlobUpperCased(pattern.substr(0, pattern.size() - 2), name);
}

}  // namespace shared
