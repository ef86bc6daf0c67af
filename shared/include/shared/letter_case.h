// Letter case as file names use it: a name matches whatever the case of its letters. Each character
// has one capital at most: ASCII, Latin-1 and Latin Extended-A letters (those of French and of its
// neighbours' names), Greek and Cyrillic. The dotless ı and the dotted İ pair with no other letter,
// so that neither takes the place of i or I; ß has no single capital; everything else is its own
// capital.
#pragma once

#include <string>
#include <string_view>

namespace shared {

char32_t ToUpper(char32_t c);
std::u32string ToUpper(std::u32string_view text);

}  // namespace shared
