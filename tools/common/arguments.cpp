#include "common/arguments.h"

#include "common/failure.h"

namespace tools {
namespace {

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string Upper(std::string word) {
  for (char& c : word)
    c = Upper(c);
  return word;
}

// The options with a value or of more than one letter: -F:PATTERN, -Z, -ZX, -ZX:N.
bool ApplyLongOption(const std::string& word, Arguments& arguments) {
  const std::string upper = Upper(word.substr(1));
  if (upper.starts_with("F:")) {
    if (word.size() == 3) throw ToolError(Status::kUsage, "motif manquant après " + word);
    arguments.filters.push_back(word.substr(3));
    return true;
  }
  if (upper == "Z") {
    arguments.container = Container::kCabinetMsZip;
    return true;
  }
  if (upper == "ZX" || upper.starts_with("ZX:")) {
    arguments.container = Container::kCabinetLzx;
    if (upper.size() > 2) {
      const std::string bits = upper.substr(3);
      if (bits.size() != 2 || bits < "15" || bits > "21") {
        throw ToolError(Status::kUsage,
                        "fenêtre LZX de 15 à 21 bits (-ZX:15 à -ZX:21), pas : " + word);
      }
      arguments.lzx_window_bits = static_cast<unsigned>(std::stoi(bits));
    }
    return true;
  }
  return false;
}

// Applies the option `word` names, or returns false when it names none.
bool ApplyOption(const std::string& word, Arguments& arguments) {
  if (word == "--help" || word == "--aide") {
    arguments.help = true;
    return true;
  }
  if (word.size() >= 2 && (word[0] == '-' || word[0] == '/') && ApplyLongOption(word, arguments)) {
    return true;
  }
  if (word.size() != 2 || (word[0] != '-' && word[0] != '/')) {
    return false;
  }
  switch (Upper(word[1])) {
    case 'R':
      arguments.rename = true;
      return true;
    case 'D':
      arguments.dated = true;
      return true;
    case '?':
    case 'H':
      arguments.help = true;
      return true;
    default:
      return false;
  }
}

}  // namespace

Arguments ParseArguments(std::span<const std::string> words, PathStyle style) {
  Arguments arguments;
  bool options_ended = false;
  for (const std::string& word : words) {
    if (options_ended) {
      arguments.names.push_back(word);
    } else if (word == "--") {
      options_ended = true;
    } else if (!ApplyOption(word, arguments)) {
      const bool windows_option =
          style == PathStyle::kWindows && word.size() == 2 && word[0] == '/';
      if ((word.size() >= 2 && word[0] == '-') || windows_option) {
        throw ToolError(Status::kUsage, "option inconnue : " + word);
      }
      arguments.names.push_back(word);
    }
  }
  return arguments;
}

}  // namespace tools
