// The command lines of the two tools, composed from the job paths.
//
// Each line is upper-cased, with one blank between its parts:
//   APPLICATION-DIRECTORY\COMPRESS.EXE -R SOURCE-FILE TARGET-FOLDER
//   APPLICATION-DIRECTORY\EXPAND.EXE SOURCE-FILE DESTINATION
// A part that holds a blank (a program installed under a folder with blanks, a volume without short
// names, a typed name with blanks) is put in double quotes so that the tool receives it whole; a
// part without blanks stays exactly as it is. The tool is started by its full path, never by a
// search along the unquoted line, so that no other program can run in its place.
#pragma once

#include <string>
#include <string_view>

#include "app/module1.h"

namespace tassefiche {

struct ToolLaunch {
  std::wstring program;       // the tool's full path
  std::wstring command_line;  // the line the tool receives
};

// One argument as the platform's C runtime splits a command line: in double quotes when it holds a
// blank (with backslashes before a quote doubled and inner quotes escaped), else unchanged.
std::wstring QuotedIfBlank(std::wstring_view argument);

// The compression: the source file into the target folder, under the renamed name. With an empty
// target folder the line ends after the source file, without a trailing blank.
ToolLaunch CompressionLaunch(const Module1& paths);

// The expansion's destination: the target folder, "\" unless the folder is a drive root, the
// answer.
std::wstring ExpansionDestination(std::wstring_view target_dir, std::wstring_view answer);

// The expansion: the source file to the destination path.
ToolLaunch ExpansionLaunch(const Module1& paths, std::wstring_view answer);

}  // namespace tassefiche
