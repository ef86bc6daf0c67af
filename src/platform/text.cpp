#include "platform/text.h"

#include <algorithm>

namespace tassefiche {

namespace {

constexpr bool InRange(wchar_t c, wchar_t first, wchar_t last) {
  return c >= first && c <= last;
}

// Latin Extended-A pairs its capital and small letters as (even, odd) or (odd, even) code points.
wchar_t UpperLatinExtendedA(wchar_t c) {
  const bool odd = (c & 1) != 0;
  if (InRange(c, 0x0100, 0x0137) || InRange(c, 0x014A, 0x0177)) return odd ? c - 1 : c;
  if (InRange(c, 0x0139, 0x0148) || InRange(c, 0x0179, 0x017E)) return odd ? c : c - 1;
  return c;
}

wchar_t UpperGreek(wchar_t c) {
  if (c == 0x03C2) return 0x03A3;  // final sigma
  if (InRange(c, 0x03B1, 0x03C9)) return c - 0x20;
  if (c == 0x03AC) return 0x0386;
  if (InRange(c, 0x03AD, 0x03AF)) return c - 0x25;
  if (c == 0x03CC) return 0x038C;
  if (InRange(c, 0x03CD, 0x03CE)) return c - 0x3F;
  return c;
}

}  // namespace

wchar_t ToUpper(wchar_t c) {
  if (InRange(c, L'a', L'z')) return c - 0x20;
  if (c < 0xE0) return c;
  if (InRange(c, 0xE0, 0xFE) && c != 0xF7) return c - 0x20;
  if (c == 0xFF) return 0x0178;
  if (InRange(c, 0x0100, 0x017F)) return UpperLatinExtendedA(c);
  if (InRange(c, 0x0370, 0x03FF)) return UpperGreek(c);
  if (InRange(c, 0x0430, 0x044F)) return c - 0x20;
  if (InRange(c, 0x0450, 0x045F)) return c - 0x50;
  return c;
}

std::wstring ToUpper(std::wstring_view text) {
  std::wstring result(text);
  std::transform(result.begin(), result.end(), result.begin(),
                 [](wchar_t c) { return ToUpper(c); });
  return result;
}

bool EqualsNoCase(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && CompareNoCase(a, b) == 0;
}

int CompareNoCase(std::wstring_view a, std::wstring_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const wchar_t x = ToUpper(a[i]);
    const wchar_t y = ToUpper(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::wstring TrimBlanks(std::wstring_view text) {
  const std::size_t first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  const std::size_t last = text.find_last_not_of(L' ');
  return std::wstring(text.substr(first, last - first + 1));
}

}  // namespace tassefiche
