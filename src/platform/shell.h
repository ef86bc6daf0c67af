// The shell port: opening a web page, a "mailto:" link or a document with the program that the
// platform associates with it.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/form.h"

namespace tassefiche {

class Shell {
 public:
  virtual ~Shell() = default;
  // Asks the shell to apply `verb` to `file` (a path or an address), with `parameters` for a
  // program and `directory` as its working folder, showing its window with `show` (1: normal).
  // `owner` is the window that any message of the shell belongs to. Gives the shell's result:
  // greater than 32 on success, an error number otherwise.
  virtual std::intptr_t Execute(WindowHandle owner, std::wstring_view verb, std::wstring_view file,
                                std::wstring_view parameters, std::wstring_view directory,
                                int show) = 0;
};

}  // namespace tassefiche
