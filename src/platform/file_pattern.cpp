#include "platform/file_pattern.h"

#include <algorithm>

#include "platform/platform_error.h"
#include "platform/text.h"
#include "shared/letter_case.h"
#include "shared/utf.h"

namespace tassefiche {

namespace {

bool CannotBeInName(wchar_t c) {
  return c < 32 || std::wstring_view(L"\\/:\"<>|").find(c) != std::wstring_view::npos;
}

}  // namespace

std::u32string ComparisonKey(std::wstring_view name) {
  return shared::ToUpper(shared::DecodeForComparison(name));
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
    if (!part.empty()) {
      const std::u32string key = ComparisonKey(part);
      Part parsed{shared::Wildcard(key), std::nullopt};
      if (key.ends_with(U'.')) parsed.extensionless.emplace(key.substr(0, key.size() - 1));
      pattern.parts_.push_back(std::move(parsed));
    }
    start = end + 1;
  }
  return pattern;
}

bool FilePattern::Matches(std::wstring_view name) const {
  return parts_.empty() || MatchesKey(ComparisonKey(name));
}

// The shared rules, and the file list's own: a pattern ending in a bare "." takes only names
// without an extension.
bool FilePattern::MatchesKey(std::u32string_view key) const {
  if (parts_.empty()) return true;
  return std::ranges::any_of(parts_, [&](const Part& part) {
    if (part.pattern.Match(key)) return true;
    return part.extensionless && key.find(U'.') == std::u32string_view::npos &&
           part.extensionless->Glob(key);
  });
}

}  // namespace tassefiche
