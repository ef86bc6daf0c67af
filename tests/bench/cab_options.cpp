#include "cab_options.h"

#include "options.h"

namespace bench {

std::variant<CabOptions, std::string> ParseCabOptions(const std::vector<std::string>& arguments) {
  CabOptions options;
  for (std::size_t k = 0; k < arguments.size(); ++k) {
    const std::string& word = arguments[k];
    if (!word.starts_with("-")) {
      if (auto message = AddFiles(word, options.files)) return *message;
      continue;
    }
    if (k + 1 == arguments.size()) return word + " needs a value, or is unknown";
    const std::string& value = arguments[++k];
    if (word == "--runs") {
      const auto runs = ParseCount(value, 1, 100);
      if (!runs) return "--runs takes a count from 1 to 100, not " + value;
      options.runs = *runs;
    } else if (word == "--threads") {
      const auto threads = ParseCount(value, 0, 16);
      if (!threads) return "--threads takes a count from 0 to 16, not " + value;
      options.threads = static_cast<unsigned>(*threads);
    } else if (word == "--lzx-window") {
      const auto bits = ParseCount(value, 15, 21);
      if (!bits) return "--lzx-window takes a count from 15 to 21, not " + value;
      options.lzx_window = static_cast<unsigned>(*bits);
    } else if (word == "--gcab") {
      options.gcab = value;
    } else if (word == "--xz") {
      options.xz = value;
    } else if (word == "--cabextract") {
      options.cabextract = value;
    } else if (word == "--7zz") {
      options.seven_zip = value;
    } else {
      return "unknown option " + word;
    }
  }
  if (options.files.empty()) return "no file to measure";
  return options;
}

}  // namespace bench
