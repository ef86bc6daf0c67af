// The application port: the folder of the running executable, the application title, the version
// numbers of the executable's own version record and the process's command line.
#pragma once

#include "platform/application.h"

namespace tassefiche {

class Win32Application : public Application {
 public:
  std::wstring Path() override;
  std::wstring Title() override;
  VersionNumbers Version() override;
  std::wstring CommandTail() override;
};

}  // namespace tassefiche
