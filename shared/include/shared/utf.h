// Conversions between UTF-8, in which the program and the tools carry text, and the UTF-16 of the
// Windows API. File names may hold unpaired surrogates: they travel as three-byte sequences
// (WTF-8), so that a name always converts back to what it was.
#pragma once

#include <string>
#include <string_view>

namespace shared {

std::string Utf16ToUtf8(std::u16string_view text);
// Sequences that are neither UTF-8 nor WTF-8 become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

// The same for wide strings: UTF-16 where wchar_t has 16 bits (Windows), code points where it has
// 32 (the native builds' tests).
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);

// The characters of a text, for comparing names. A byte that starts no valid UTF-8 sequence gives
// U+DC80 + byte, so that distinct byte strings stay distinct.
std::u32string DecodeForComparison(std::string_view text);
// Surrogate pairs joined; unpaired surrogates stay as they are.
std::u32string DecodeForComparison(std::wstring_view text);

}  // namespace shared
