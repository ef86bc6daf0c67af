// In-memory shell: records every request, and answers with the result the test sets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace tassefiche {

class MemoryShell : public Shell {
 public:
  struct Request {
    WindowHandle owner = 0;
    std::wstring verb;
    std::wstring file;
    std::wstring parameters;
    std::wstring directory;
    int show = 0;
    bool operator==(const Request&) const = default;
  };

  std::intptr_t Execute(WindowHandle owner, std::wstring_view verb, std::wstring_view file,
                        std::wstring_view parameters, std::wstring_view directory,
                        int show) override;

  std::vector<Request> requests;
  // What the shell answers: above 32 for success; 2 (file not found) as a shell without a
  // handler for the link would.
  std::intptr_t result = 42;
};

}  // namespace tassefiche
