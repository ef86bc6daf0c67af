// 8.3 aliases as Windows makes them: the name without blanks, upper-cased, the first six characters
// of its base, "~" and the first free number, then the first three characters of its extension.
#include <algorithm>
#include <string>

#include "platform/memory/memory_file_system.h"
#include "platform/text.h"

namespace tassefiche {

namespace {

bool ValidShortChar(wchar_t c) {
  return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') ||
         std::wstring_view(L"$%'-_@~`!(){}^#&").find(c) != std::wstring_view::npos;
}

bool IsValidShortName(std::wstring_view name) {
  const std::size_t dot = name.find(L'.');
  if (dot != name.rfind(L'.')) return false;
  const std::wstring_view base = name.substr(0, dot);
  const std::wstring_view ext =
      dot == std::wstring_view::npos ? std::wstring_view() : name.substr(dot + 1);
  if (base.empty() || base.size() > 8 || ext.size() > 3) return false;
  if (dot != std::wstring_view::npos && ext.empty()) return false;
  return std::all_of(base.begin(), base.end(), ValidShortChar) &&
         std::all_of(ext.begin(), ext.end(), ValidShortChar);
}

std::wstring ShortChars(std::wstring_view text) {
  std::wstring result;
  for (const wchar_t c : text) {
    if (c == L' ' || c == L'.') continue;
    result += ValidShortChar(c) ? ToUpper(c) : L'_';
  }
  return result;
}

}  // namespace

std::wstring ShortAlias(std::wstring_view name, const NameTaken& taken) {
  if (IsValidShortName(name)) return {};
  std::wstring_view trimmed = name;
  while (trimmed.starts_with(L'.'))
    trimmed.remove_prefix(1);
  const std::size_t dot = trimmed.rfind(L'.');
  const std::wstring base = ShortChars(trimmed.substr(0, dot));
  const std::wstring ext = dot == std::wstring_view::npos
                               ? std::wstring()
                               : ShortChars(trimmed.substr(dot + 1)).substr(0, 3);
  const std::wstring basis = base.substr(0, 6);
  for (int number = 1;; ++number) {
    const std::wstring tail = L"~" + std::to_wstring(number);
    std::wstring alias = basis.substr(0, 8 - std::min<std::size_t>(8, tail.size())) + tail;
    if (!ext.empty()) alias += L"." + ext;
    if (!taken(alias)) return alias;
  }
}

}  // namespace tassefiche
