// The application port: the folder of the running executable.
#pragma once

#include "platform/application.h"

namespace tassefiche {

class Win32Application : public Application {
 public:
  std::wstring Path() override;
};

}  // namespace tassefiche
