// The command line shared by both tools: options -R, -D, -F:PATTERN (EXPAND), -Z and -ZX[:N]
// (COMPRESS) and the help, with `-` or `/`, in either case, anywhere before a `--`; every other
// word is a file name.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/paths.h"

namespace tools {

// The container COMPRESS writes.
enum class Container : std::uint8_t { kSzdd, kCabinetMsZip, kCabinetLzx };

struct Arguments {
  bool rename = false;                     // -R
  bool dated = false;                      // -D (COMPRESS: only when older; EXPAND: list only)
  bool help = false;                       // -?, -H, --help
  std::vector<std::string> filters;        // -F:PATTERN, repeatable: EXPAND, files of cabinets
  Container container = Container::kSzdd;  // -Z, -ZX: COMPRESS
  unsigned lzx_window_bits = 21;           // -ZX:15 to -ZX:21
  std::vector<std::string> names;
};

// Throws ToolError (status kUsage) on an unknown option: `-` and a letter or more; also `/` and one
// letter on Windows, where such a word cannot be a path (on Linux it is one).
Arguments ParseArguments(std::span<const std::string> words, PathStyle style = kNativeStyle);

}  // namespace tools
