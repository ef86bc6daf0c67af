// Text conversions at the platform edge. Paths and messages travel through the tools as UTF-8;
// Windows hands us UTF-16, which may hold unpaired surrogates in file names, so the conversion
// keeps those as three-byte sequences (WTF-8) and a name always converts back to what it was.
#pragma once

#include <string>
#include <string_view>

namespace tools {

std::string Utf16ToUtf8(std::u16string_view text);
// Sequences that are not UTF-8 (nor WTF-8) become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);

// Decodes UTF-8 for comparisons; a byte that starts no valid sequence decodes to U+DC80 + byte, so
// that distinct byte strings stay distinct.
std::u32string DecodeForComparison(std::string_view text);

// Simple case folding: ASCII, Latin-1 and Latin Extended-A letters (the letters of French and its
// neighbours). Other characters compare as they are.
char32_t FoldCase(char32_t c);

}  // namespace tools
