#include "platform/file_pattern.h"

#include <algorithm>

#include "platform/platform_error.h"
#include "platform/text.h"

namespace tassefiche {

namespace {

bool CannotBeInName(wchar_t c) {
  return c < 32 || std::wstring_view(L"\\/:\"<>|").find(c) != std::wstring_view::npos;
}

// Wildcard match of an upper-case pattern against an upper-case name, backtracking to the last "*".
bool Glob(std::wstring_view pattern, std::wstring_view name) {
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

bool MatchesPart(std::wstring_view part, std::wstring_view name) {
  if (Glob(part, name)) return true;
  const bool has_extension = name.find(L'.') != std::wstring_view::npos;
  if (part.ends_with(L".*") && !has_extension) return Glob(part.substr(0, part.size() - 2), name);
  if (part.ends_with(L'.') && !has_extension) return Glob(part.substr(0, part.size() - 1), name);
  return false;
}

}  // namespace

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
    if (!part.empty()) pattern.parts_.push_back(ToUpper(part));
    start = end + 1;
  }
  return pattern;
}

bool FilePattern::Matches(std::wstring_view name) const {
  return parts_.empty() || MatchesUpperCase(ToUpper(name));
}

bool FilePattern::MatchesUpperCase(std::wstring_view upper_name) const {
  if (parts_.empty()) return true;
  return std::ranges::any_of(
      parts_, [&](const std::wstring& part) { return MatchesPart(part, upper_name); });
}

}  // namespace tassefiche
