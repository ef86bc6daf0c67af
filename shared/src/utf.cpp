#include "shared/utf.h"

#include <cstdint>
#include <optional>

namespace shared {
namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

bool IsHighSurrogate(char32_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char32_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t c) {
  auto byte = [&out](char32_t value) { out.push_back(static_cast<char>(value)); };
  if (c < 0x80) {
    byte(c);
  } else if (c < 0x800) {
    byte(0xC0 | (c >> 6));
    byte(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    byte(0xE0 | (c >> 12));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  } else {
    byte(0xF0 | (c >> 18));
    byte(0x80 | ((c >> 12) & 0x3F));
    byte(0x80 | ((c >> 6) & 0x3F));
    byte(0x80 | (c & 0x3F));
  }
}

// Decodes one sequence at `pos` (surrogates allowed, as WTF-8 writes them). On an invalid
// sequence, consumes one byte and returns nothing.
std::optional<char32_t> DecodeOne(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<std::uint8_t>(text[pos]);
  std::size_t extra = 0;
  char32_t c = 0;
  char32_t smallest = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1;
    c = lead & 0x1Fu;
    smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2;
    c = lead & 0x0Fu;
    smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3;
    c = lead & 0x07u;
    smallest = 0x10000;
  } else {
    ++pos;
    return std::nullopt;
  }
  if (text.size() - pos <= extra) {
    ++pos;
    return std::nullopt;
  }
  for (std::size_t i = 1; i <= extra; ++i) {
    const auto next = static_cast<std::uint8_t>(text[pos + i]);
    if ((next & 0xC0u) != 0x80u) {
      ++pos;
      return std::nullopt;
    }
    c = (c << 6) | (next & 0x3Fu);
  }
  if (c < smallest || c > 0x10FFFF) {
    ++pos;
    return std::nullopt;
  }
  pos += extra + 1;
  return c;
}

// Code points from UTF-16 units, pairs joined, unpaired surrogates kept.
template <typename Unit, typename Visit>
void ForEachUtf16CodePoint(std::basic_string_view<Unit> text, Visit visit) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<char32_t>(text[i]);
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[i + 1]) - 0xDC00);
      ++i;
    }
    visit(c);
  }
}

// UTF-16 units from UTF-8, invalid sequences replaced.
template <typename Unit>
std::basic_string<Unit> Utf8ToUnits(std::string_view text, bool as_utf16) {
  std::basic_string<Unit> out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const char32_t c = DecodeOne(text, pos).value_or(kReplacement);
    if (as_utf16 && c >= 0x10000) {
      out.push_back(static_cast<Unit>(0xD800 + ((c - 0x10000) >> 10)));
      out.push_back(static_cast<Unit>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<Unit>(c));
    }
  }
  return out;
}

}  // namespace

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  ForEachUtf16CodePoint(text, [&out](char32_t c) { AppendUtf8(out, c); });
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  return Utf8ToUnits<char16_t>(text, true);
}

std::string WideToUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  if constexpr (kWideIsUtf16) {
    ForEachUtf16CodePoint(text, [&out](char32_t c) { AppendUtf8(out, c); });
  } else {
    for (const wchar_t c : text)
      AppendUtf8(out, static_cast<char32_t>(c));
  }
  return out;
}

std::wstring Utf8ToWide(std::string_view text) {
  return Utf8ToUnits<wchar_t>(text, kWideIsUtf16);
}

std::u32string DecodeForComparison(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    const auto c = DecodeOne(text, pos);
    out.push_back(c ? *c : 0xDC80 + static_cast<std::uint8_t>(text[start]));
  }
  return out;
}

std::u32string DecodeForComparison(std::wstring_view text) {
  std::u32string out;
  out.reserve(text.size());
  if constexpr (kWideIsUtf16) {
    ForEachUtf16CodePoint(text, [&out](char32_t c) { out.push_back(c); });
  } else {
    for (const wchar_t c : text)
      out.push_back(static_cast<char32_t>(c));
  }
  return out;
}

}  // namespace shared
