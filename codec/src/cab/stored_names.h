// The text of a stored file name. Names flagged as UTF-8 are UTF-8; the others are in the DOS
// code page of French setup media (850), except that a name that is valid UTF-8 and holds
// non-ASCII bytes is taken as UTF-8, since some writers forget the flag.
#pragma once

#include <string>
#include <string_view>

namespace codec {

// Whether `text` is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(std::string_view text);

// The name as UTF-8. A flagged name that is not valid UTF-8 is read as code page 850 too, so that
// every stored name gives some text.
std::string DecodeStoredName(std::string_view stored, bool utf8_flag);

}  // namespace codec
