#include "shared/letter_case.h"

#include <algorithm>

namespace shared {
namespace {

constexpr bool InRange(char32_t c, char32_t first, char32_t last) {
  return c >= first && c <= last;
}

// Latin Extended-A pairs its capital and small letters as (even, odd) code points, then as (odd,
// even) after the lone ĸ and ŉ. İ (U+0130) and ı (U+0131) are left out of the pairs.
char32_t UpperLatinExtendedA(char32_t c) {
  const bool odd = (c & 1U) != 0;
  if (InRange(c, 0x0100, 0x012F) || InRange(c, 0x0132, 0x0137) || InRange(c, 0x014A, 0x0177)) {
    return odd ? c - 1 : c;
  }
  if (InRange(c, 0x0139, 0x0148) || InRange(c, 0x0179, 0x017E)) return odd ? c : c - 1;
  return c;
}

char32_t UpperGreek(char32_t c) {
  if (c == 0x03C2) return 0x03A3;  // final sigma
  if (InRange(c, 0x03B1, 0x03C9)) return c - 0x20;
  if (c == 0x03AC) return 0x0386;
  if (InRange(c, 0x03AD, 0x03AF)) return c - 0x25;
  if (c == 0x03CC) return 0x038C;
  if (InRange(c, 0x03CD, 0x03CE)) return c - 0x3F;
  return c;
}

}  // namespace

char32_t ToUpper(char32_t c) {
  if (InRange(c, U'a', U'z')) return c - 0x20;
  if (c < 0xE0) return c;
  if (InRange(c, 0xE0, 0xFE) && c != 0xF7) return c - 0x20;
  if (c == 0xFF) return 0x0178;
  if (InRange(c, 0x0100, 0x017F)) return UpperLatinExtendedA(c);
  if (InRange(c, 0x0370, 0x03FF)) return UpperGreek(c);
  if (InRange(c, 0x0430, 0x044F)) return c - 0x20;
  if (InRange(c, 0x0450, 0x045F)) return c - 0x50;
  return c;
}

std::u32string ToUpper(std::u32string_view text) {
  std::u32string result(text);
  std::transform(result.begin(), result.end(), result.begin(),
                 [](char32_t c) { return ToUpper(c); });
  return result;
}

}  // namespace shared
