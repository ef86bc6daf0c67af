// The ports the program works through, gathered so that a form receives them in one piece.
#pragma once

#include "platform/application.h"
#include "platform/dialogs.h"
#include "platform/file_system.h"
#include "platform/processes.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/timers.h"

namespace tassefiche {

struct Platform {
  FileSystem& files;
  Dialogs& dialogs;
  Processes& processes;
  Application& application;
  Shell& shell;
  Registry& registry;
  Timers& timers;
};

}  // namespace tassefiche
