#include "platform/file_pattern.h"

#include <algorithm>

#include "platform/platform_error.h"
#include "platform/text.h"
#include "shared/letter_case.h"
#include "shared/utf.h"
#include "shared/wildcard.h"

namespace tassefiche {

namespace {

bool CannotBeInName(wchar_t c) {
  return c < 32 || std::wstring_view(L"\\/:\"<>|").find(c) != std::wstring_view::npos;
}

std::u32string UpperCodePoints(std::wstring_view text) {
  return shared::ToUpper(shared::DecodeForComparison(text));
}

// The shared rules, and the file list's own: a pattern ending in a bare "." takes only names
// without an extension.
bool MatchesPart(std::u32string_view part, std::u32string_view name) {
  if (shared::MatchUpperCased(part, name)) return true;
  return part.ends_with(U'.') && name.find(U'.') == std::u32string_view::npos &&
         shared::GlobUpperCased(part.substr(0, part.size() - 1), name);
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
    if (!part.empty()) pattern.parts_.push_back(UpperCodePoints(part));
    start = end + 1;
  }
  return pattern;
}

bool FilePattern::Matches(std::wstring_view name) const {
  if (parts_.empty()) return true;
  const std::u32string upper = UpperCodePoints(name);
  return std::ranges::any_of(parts_,
                             [&](const std::u32string& part) { return MatchesPart(part, upper); });
}

}  // namespace tassefiche
