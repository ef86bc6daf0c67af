#include "app/command_tail.h"

#include <cstddef>

namespace tassefiche {

std::vector<std::wstring> SplitArguments(std::wstring_view tail) {
  std::vector<std::wstring> arguments;
  std::wstring argument;
  bool in_argument = false;
  bool quoted = false;
  std::size_t at = 0;
  while (at < tail.size()) {
    const wchar_t c = tail[at];
    if ((c == L' ' || c == L'\t') && !quoted) {
      if (in_argument) arguments.push_back(std::move(argument));
      argument.clear();
      in_argument = false;
      ++at;
      continue;
    }
    in_argument = true;
    if (c == L'\\') {
      std::size_t backslashes = 0;
      while (at < tail.size() && tail[at] == L'\\') {
        ++backslashes;
        ++at;
      }
      const bool before_quote = at < tail.size() && tail[at] == L'"';
      argument.append(before_quote ? backslashes / 2 : backslashes, L'\\');
      if (before_quote && backslashes % 2 == 1) {
        argument += L'"';
        ++at;
      }
      continue;
    }
    if (c == L'"') {
      if (quoted && at + 1 < tail.size() && tail[at + 1] == L'"') {
        argument += L'"';
        at += 2;
        continue;
      }
      quoted = !quoted;
      ++at;
      continue;
    }
    argument += c;
    ++at;
  }
  if (in_argument) arguments.push_back(std::move(argument));
  return arguments;
}

}  // namespace tassefiche
