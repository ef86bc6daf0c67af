#include "common/wildcard.h"

#include <algorithm>
#include <string>

#include "common/text.h"

namespace tools {
namespace {

std::u32string Folded(std::string_view text) {
  std::u32string out = DecodeForComparison(text);
  std::transform(out.begin(), out.end(), out.begin(), FoldCase);
  return out;
}

// Iterative matching with backtracking to the last star: linear memory, no recursion.
bool Match(std::u32string_view pattern, std::u32string_view name) {
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t star = std::u32string_view::npos;
  std::size_t star_name = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == U'*') {
      star = p++;
      star_name = n;
    } else if (star != std::u32string_view::npos) {
      p = star + 1;
      n = ++star_name;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*') {
    ++p;
  }
  return p == pattern.size();
}

}  // namespace

bool HasWildcards(std::string_view text) {
  return text.find_first_of("*?") != std::string_view::npos;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
  const std::u32string folded_pattern = Folded(pattern);
  const std::u32string folded_name = Folded(name);
  if (Match(folded_pattern, folded_name)) {
    return true;
  }
  const std::u32string_view view = folded_pattern;
  return view.ends_with(U".*") && folded_name.find(U'.') == std::u32string::npos &&
         Match(view.substr(0, view.size() - 2), folded_name);
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return Folded(a) == Folded(b);
}

}  // namespace tools
