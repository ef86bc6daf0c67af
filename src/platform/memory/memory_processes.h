// In-memory process launcher: records every launch, and fails as the real launcher does when the
// program file does not exist.
#pragma once

#include <string>
#include <vector>

#include "platform/memory/memory_file_system.h"
#include "platform/processes.h"

namespace tassefiche {

class MemoryProcesses : public Processes {
 public:
  struct Launched {
    std::wstring program;
    std::wstring command_line;
    WindowStyle style = WindowStyle::kHidden;
  };

  explicit MemoryProcesses(const MemoryFileSystem& files) : files_(files) {}
  void Launch(std::wstring_view program, std::wstring_view command_line,
              WindowStyle style) override;

  std::vector<Launched> launched;

 private:
  const MemoryFileSystem& files_;
};

}  // namespace tassefiche
