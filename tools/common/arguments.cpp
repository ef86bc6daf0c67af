#include "common/arguments.h"

#include "common/failure.h"

namespace tools {
namespace {

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Applies the option `word` names, or returns false when it names none.
bool ApplyOption(const std::string& word, Arguments& arguments) {
  if (word == "--help" || word == "--aide") {
    arguments.help = true;
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
