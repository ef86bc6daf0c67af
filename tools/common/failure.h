// Exit statuses and the exception that carries one with its French message.
#pragma once

#include <stdexcept>
#include <string>

#include "codec/codec.h"

namespace tools {

// Each codec error has its own status, 10 + its value, so that a caller can tell them apart.
enum class Status : int {
  kOk = 0,
  kUsage = 1,        // the command line is wrong
  kSource = 2,       // a source is missing, unreadable, a folder, or a pattern matched nothing
  kDestination = 3,  // the destination is refused (the source itself, a folder, ...)
  kUnexpected = 4,   // an error nobody foresaw (out of memory, ...)
  kCodecBase = 10,
  kVerification = 19,  // the compressed file did not expand back to the source
};

Status StatusFor(codec::Error error);

class ToolError : public std::runtime_error {
 public:
  ToolError(Status status, const std::string& message)
      : std::runtime_error(message), status_(status) {}
  Status status() const { return status_; }

 private:
  Status status_;
};

// A file operation that failed; the message is French and names the file.
class IoError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A commit that failed after the destination was changed: its message says what became of the
// destination and of the output, where the caller would otherwise say the destination was kept.
class CommitError : public IoError {
 public:
  using IoError::IoError;
};

}  // namespace tools
