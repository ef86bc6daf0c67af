// The whole in-memory platform in one piece, for tests.
#pragma once

#include <string>

#include "platform/application.h"
#include "platform/memory/memory_dialogs.h"
#include "platform/memory/memory_file_system.h"
#include "platform/memory/memory_processes.h"
#include "platform/platform.h"
#include "platform/platform_error.h"

namespace tassefiche {

class MemoryApplication : public Application {
 public:
  std::wstring Path() override {
    if (fail) throw PlatformError("application path on demand");
    return path;
  }
  std::wstring path = L"C:\\APP";
  bool fail = false;  // Path fails while set
};

struct MemoryPlatform {
  MemoryFileSystem files;
  MemoryDialogs dialogs;
  MemoryProcesses processes{files};
  MemoryApplication application;
  Platform ports{files, dialogs, processes, application};
};

}  // namespace tassefiche
