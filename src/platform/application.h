// The application port: what the running program knows of itself.
#pragma once

#include <string>

namespace tassefiche {

class Application {
 public:
  virtual ~Application() = default;
  // The folder that holds the program's executable, in long form; it ends with "\" only when it is
  // a drive root.
  virtual std::wstring Path() = 0;
};

}  // namespace tassefiche
