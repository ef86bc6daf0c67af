#include "common/stored_paths.h"

#include <algorithm>
#include <array>

#include "common/wildcard.h"

namespace tools {
namespace {

constexpr std::size_t kLongestPart = 255;

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

bool IsForbidden(char c) {
  const auto code = static_cast<unsigned char>(c);
  return code < 0x20 || code == 0x7F ||
         std::string_view("<>:\"|?*").find(c) != std::string_view::npos;
}

// The part before the first dot, without the blanks that Windows ignores before it.
std::string_view DeviceStem(std::string_view part) {
  std::string_view stem = part.substr(0, part.find('.'));
  while (!stem.empty() && stem.back() == ' ')
    stem.remove_suffix(1);
  return stem;
}

bool IsDeviceName(std::string_view part) {
  const std::string_view stem = DeviceStem(part);
  constexpr std::array<std::string_view, 7> kNames = {"CON",    "PRN",     "AUX",   "NUL",
                                                      "CONIN$", "CONOUT$", "CLOCK$"};
  if (std::any_of(kNames.begin(), kNames.end(),
                  [&](std::string_view name) { return SameNameIgnoringCase(stem, name); })) {
    return true;
  }
  // COM and LPT with one digit; Windows also takes the superscript digits ¹ ² ³.
  for (const std::string_view port : {"COM", "LPT"}) {
    if (stem.size() < 4 || !SameNameIgnoringCase(stem.substr(0, 3), port)) continue;
    const std::string_view digit = stem.substr(3);
    if ((digit.size() == 1 && digit[0] >= '0' && digit[0] <= '9') || digit == "\xC2\xB9" ||
        digit == "\xC2\xB2" || digit == "\xC2\xB3") {
      return true;
    }
  }
  return false;
}

// Length as Windows counts it, in UTF-16 units: characters beyond U+FFFF count twice.
std::size_t Utf16Length(std::string_view text) {
  std::size_t units = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0u) != 0x80u) ++units;
    if (byte >= 0xF0u) ++units;
  }
  return units;
}

}  // namespace

StoredPath SafeStoredPath(std::string_view stored) {
  StoredPath path;
  const auto refuse = [&](std::string why) {
    path.parts.clear();
    path.refusal = std::move(why);
    return path;
  };
  // A drive letter at the start names another disk: the rest goes inside the destination.
  if (stored.size() >= 2 && stored[1] == ':' &&
      ((stored[0] >= 'A' && stored[0] <= 'Z') || (stored[0] >= 'a' && stored[0] <= 'z'))) {
    stored.remove_prefix(2);
  }
  std::size_t start = 0;
  while (start <= stored.size()) {
    std::size_t end = start;
    while (end < stored.size() && !IsSeparator(stored[end]))
      ++end;
    std::string part(stored.substr(start, end - start));
    start = end + 1;
    if (part.empty() || part == ".") continue;
    if (part == "..") return refuse("le nom remonte hors du dossier de destination (« .. »)");
    std::replace_if(part.begin(), part.end(), IsForbidden, '_');
    while (!part.empty() && (part.back() == '.' || part.back() == ' '))
      part.pop_back();
    if (part.empty()) return refuse("une partie du nom n'est faite que de points ou de blancs");
    if (IsDeviceName(part)) part.insert(part.begin(), '_');
    if (Utf16Length(part) > kLongestPart) {
      return refuse("une partie du nom dépasse 255 caractères");
    }
    path.parts.push_back(std::move(part));
  }
  if (path.parts.empty()) return refuse("le nom est vide");
  return path;
}

}  // namespace tools
