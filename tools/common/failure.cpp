#include "common/failure.h"

namespace tools {

Status StatusFor(codec::Error error) {
  if (error == codec::Error::kOk) {
    return Status::kOk;
  }
  // A missing part of a set of cabinets is a missing source.
  if (error == codec::Error::kMissingPart) {
    return Status::kSource;
  }
  return static_cast<Status>(static_cast<int>(Status::kCodecBase) + static_cast<int>(error));
}

}  // namespace tools
