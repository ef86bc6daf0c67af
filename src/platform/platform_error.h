// The one exception type of the platform layer: every platform operation that fails raises it, and
// each handler of the program decides, through the failure styles, what a failure means at that
// step.
#pragma once

#include <stdexcept>
#include <string>

namespace tassefiche {

class PlatformError : public std::runtime_error {
 public:
  explicit PlatformError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace tassefiche
