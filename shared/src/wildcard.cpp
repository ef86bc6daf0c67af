#include "shared/wildcard.h"

namespace shared {

namespace {

// Character by character, `?` standing for any one character; both texts of the same length.
bool SameCharacters(std::u32string_view pattern, std::u32string_view name) {
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != U'?' && pattern[i] != name[i]) return false;
  }
  return true;
}

// Iterative, backtracking to the last star only: linear memory, no recursion, and quadratic time at
// worst, however many stars.
bool Search(std::u32string_view pattern, std::u32string_view name) {
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

}  // namespace

Wildcard::Wildcard(std::u32string_view pattern) {
  const std::size_t first = pattern.find(U'*');
  if (first == std::u32string_view::npos) {
    head_ = pattern;
  } else {
    const std::size_t last = pattern.rfind(U'*');
    head_ = pattern.substr(0, first);
    middle_ = pattern.substr(first, last + 1 - first);
    tail_ = pattern.substr(last + 1);
    middle_takes_all_ = middle_.find_first_not_of(U'*') == std::u32string::npos;
  }
  if (pattern.ends_with(U".*")) {
    extensionless_ = std::make_shared<const Wildcard>(pattern.substr(0, pattern.size() - 2));
  }
}

bool Wildcard::Glob(std::u32string_view name) const {
  if (middle_.empty()) return name.size() == head_.size() && SameCharacters(head_, name);
  if (name.size() < head_.size() + tail_.size()) return false;
  if (!SameCharacters(head_, name.substr(0, head_.size())) ||
      !SameCharacters(tail_, name.substr(name.size() - tail_.size()))) {
    return false;
  }
  return middle_takes_all_ ||
         Search(middle_, name.substr(head_.size(), name.size() - head_.size() - tail_.size()));
}

bool Wildcard::Match(std::u32string_view name) const {
  if (Glob(name)) return true;
  return extensionless_ != nullptr && name.find(U'.') == std::u32string_view::npos &&
         extensionless_->Glob(name);
}

bool GlobUpperCased(std::u32string_view pattern, std::u32string_view name) {
  return Wildcard(pattern).Glob(name);
}

bool MatchUpperCased(std::u32string_view pattern, std::u32string_view name) {
  return Wildcard(pattern).Match(name);
}

}  // namespace shared
