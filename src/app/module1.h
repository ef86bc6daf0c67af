// The code module: the three job paths and the two path helpers.
//
// AppPath: the application directory in long form, as the platform reports it (ends with "\" only
// at a drive root); written once by the main window's load handler. SourceFile: the short full path
// of the file last clicked in the source file list; written only by that list's click handler,
// never cleared. TargetDir: the short path of the folder the target folder list shows, without a
// trailing "\" (a drive root keeps its own); written at start-up, on every target folder change and
// by the compression job.
#pragma once

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace tassefiche {

// The path followed by "\" unless it already ends with one; empty text gives "\".
std::wstring AddBackslash(std::wstring_view path);

class Module1 {
 public:
  explicit Module1(FileSystem& files) : files_(files) {}

  std::wstring AppPath;
  std::wstring SourceFile;
  std::wstring TargetDir;

  // The platform's short (8.3) form of an existing path, or empty text when the platform gives
  // none. Names outside any 8-bit code page and paths of any length keep their short form.
  std::wstring ShortPath(std::wstring_view path) const { return files_.ShortPath(path); }

 private:
  FileSystem& files_;
};

}  // namespace tassefiche
