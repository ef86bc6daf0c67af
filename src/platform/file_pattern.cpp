#include "platform/file_pattern.h"

#include <algorithm>

#include "platform/platform_error.h"
#include "platform/text.h"

namespace tassefiche {

namespace {

bool CannotBeInName(wchar_t c) {
  return c < 32 || std::wstring_view(L"\\/:\"<>|").find(c) != std::wstring_view::npos;
}

// Character by character, "?" standing for any one character; both texts of the same length.
bool SameCharacters(std::wstring_view pattern, std::wstring_view name) {
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != L'?' && pattern[i] != name[i]) return false;
  }
  return true;
}

// The backtracking search of a pattern that starts and ends with "*", resuming after the last "*".
bool Search(std::wstring_view pattern, std::wstring_view name) {
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t star = std::wstring_view::npos;
  std::size_t resume = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == L'?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == L'*') {
      star = p++;
      resume = n;
    } else if (star != std::wstring_view::npos) {
      p = star + 1;
      n = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*')
    ++p;
  return p == pattern.size();
}

}  // namespace

FilePattern::Part FilePattern::Part::Of(std::wstring_view text) {
  Part part;
  const std::size_t first = text.find(L'*');
  if (first == std::wstring_view::npos) {
    part.head = text;
  } else {
    const std::size_t last = text.rfind(L'*');
    part.head = text.substr(0, first);
    part.middle = text.substr(first, last + 1 - first);
    part.tail = text.substr(last + 1);
    part.middle_matches_all = part.middle.find_first_not_of(L'*') == std::wstring::npos;
  }
  // As on the command line: "X.*" also matches X without an extension, and "X." only that.
  if (text.ends_with(L".*")) {
    part.extensionless = std::make_shared<const Part>(Of(text.substr(0, text.size() - 2)));
  } else if (text.ends_with(L'.')) {
    part.extensionless = std::make_shared<const Part>(Of(text.substr(0, text.size() - 1)));
  }
  return part;
}

bool FilePattern::Part::Matches(std::wstring_view name) const {
  const bool matched = [&] {
    if (middle.empty()) return name.size() == head.size() && SameCharacters(head, name);
    if (name.size() < head.size() + tail.size()) return false;
    if (!SameCharacters(head, name.substr(0, head.size())) ||
        !SameCharacters(tail, name.substr(name.size() - tail.size()))) {
      return false;
    }
    return middle_matches_all ||
           Search(middle, name.substr(head.size(), name.size() - head.size() - tail.size()));
  }();
  if (matched || !extensionless) return matched;
  return name.find(L'.') == std::wstring_view::npos && extensionless->Matches(name);
}

FilePattern FilePattern::Parse(std::wstring_view text) {
  FilePattern pattern;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(L';', start);
    if (end == std::wstring_view::npos) end = text.size();
    const std::wstring part = TrimBlanks(text.substr(start, end - start));
    for (const wchar_t c : part) {
      if (CannotBeInName(c)) throw PlatformError("pattern holds a character refused in file names");
    }
    if (!part.empty()) pattern.parts_.push_back(Part::Of(ToUpper(part)));
    start = end + 1;
  }
  return pattern;
}

bool FilePattern::Matches(std::wstring_view name) const {
  return parts_.empty() || MatchesUpperCase(ToUpper(name));
}

bool FilePattern::MatchesUpperCase(std::wstring_view upper_name) const {
  if (parts_.empty()) return true;
  return std::ranges::any_of(parts_, [&](const Part& part) { return part.Matches(upper_name); });
}

}  // namespace tassefiche
