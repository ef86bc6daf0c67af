#include "jobs/command_line.h"

#include "platform/text.h"

namespace tassefiche {

std::wstring QuotedIfBlank(std::wstring_view argument) {
  if (argument.find(L' ') == std::wstring_view::npos) return std::wstring(argument);
  std::wstring quoted = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes are literal unless a quote follows them.
    quoted.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, L'\\');
  return quoted + L'"';
}

namespace {

std::wstring ToolPath(const Module1& paths, std::wstring_view tool) {
  return ToUpper(TrimBlanks(AddBackslash(paths.AppPath) + std::wstring(tool)));
}

}  // namespace

ToolLaunch CompressionLaunch(const Module1& paths) {
  const std::wstring program = ToolPath(paths, L"compress.exe");
  const std::wstring head = QuotedIfBlank(program) + L" -R";
  const std::wstring arguments = ToUpper(TrimBlanks(QuotedIfBlank(paths.SourceFile) + L" " +
                                                    QuotedIfBlank(TrimBlanks(paths.TargetDir))));
  return {program, head + L" " + arguments};
}

std::wstring ExpansionDestination(std::wstring_view target_dir, std::wstring_view answer) {
  std::wstring destination(target_dir);
  if (target_dir.size() > 3) destination += L'\\';
  return destination + std::wstring(answer);
}

ToolLaunch ExpansionLaunch(const Module1& paths, std::wstring_view answer) {
  const std::wstring program = ToolPath(paths, L"expand.exe");
  const std::wstring source = ToUpper(QuotedIfBlank(TrimBlanks(paths.SourceFile)));
  const std::wstring destination =
      ToUpper(QuotedIfBlank(TrimBlanks(ExpansionDestination(paths.TargetDir, answer))));
  return {program, QuotedIfBlank(program) + L" " + source + L" " + destination};
}

}  // namespace tassefiche
