// The whole in-memory platform in one piece, for tests.
#pragma once

#include <string>

#include "app/app_identity.h"
#include "platform/application.h"
#include "platform/memory/memory_dialogs.h"
#include "platform/memory/memory_event_loop.h"
#include "platform/memory/memory_file_system.h"
#include "platform/memory/memory_processes.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_shell.h"
#include "platform/platform.h"
#include "platform/platform_error.h"

namespace tassefiche {

class MemoryApplication : public Application {
 public:
  std::wstring Path() override {
    if (fail) throw PlatformError("application path on demand");
    return path;
  }
  std::wstring Title() override { return title; }
  VersionNumbers Version() override { return version; }
  std::wstring CommandTail() override { return command_tail; }
  std::wstring path = L"C:\\APP";
  std::wstring command_tail;
  std::wstring title{kAppTitle};
  VersionNumbers version{kVersionMajor, kVersionMinor, kVersionRevision};
  bool fail = false;  // Path fails while set
};

struct MemoryPlatform {
  MemoryEventLoop loop;
  MemoryFileSystem files{&loop};
  MemoryDialogs dialogs;
  MemoryProcesses processes{files, loop};
  MemoryApplication application;
  MemoryShell shell;
  MemoryRegistry registry;
  Platform ports{files, dialogs, processes, application, shell, registry, loop};
};

}  // namespace tassefiche
