// The one exception type of the platform layer: every platform operation that fails raises it, and
// each handler of the program decides, through the failure styles, what a failure means at that
// step. A failure may say what kind it is and carry the platform's own reason in French, for the
// handlers that tell the user why.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace tassefiche {

enum class FailureKind {
  kOther,
  kAlreadyExists,  // a file or folder of that name is there already
  kNotReady,       // the drive has no medium or cannot be read
  kNotFound,       // the path, or a folder on it, does not exist
  kAccessDenied,
  kInvalidName,  // the file system refuses the name
};

class PlatformError : public std::runtime_error {
 public:
  explicit PlatformError(const std::string& what, FailureKind kind = FailureKind::kOther,
                         std::wstring reason = {})
      : std::runtime_error(what), kind_(kind), reason_(std::move(reason)) {}

  FailureKind Kind() const { return kind_; }
  // The platform's description of the failure, in French; empty when it gave none.
  const std::wstring& Reason() const { return reason_; }

 private:
  FailureKind kind_;
  std::wstring reason_;
};

}  // namespace tassefiche
