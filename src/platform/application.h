// The application port: what the running program knows of itself.
#pragma once

#include <string>

namespace tassefiche {

// The numbers of the program's version record (major.minor.revision).
struct VersionNumbers {
  int major = 0;
  int minor = 0;
  int revision = 0;
  bool operator==(const VersionNumbers&) const = default;
};

class Application {
 public:
  virtual ~Application() = default;
  // The folder that holds the program's executable, in long form; it ends with "\" only when it is
  // a drive root.
  virtual std::wstring Path() = 0;
  // The application title, which message boxes without a title of their own carry.
  virtual std::wstring Title() = 0;
  // The version numbers, as the running program reads them from its own version record.
  virtual VersionNumbers Version() = 0;
  // What follows the program's name on its command line, as it was given; empty when nothing does.
  virtual std::wstring CommandTail() = 0;
};

}  // namespace tassefiche
