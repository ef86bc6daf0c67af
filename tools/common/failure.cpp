#include "common/failure.h"

namespace tools {

Status StatusFor(codec::Error error) {
  if (error == codec::Error::kOk) {
    return Status::kOk;
  }
  return static_cast<Status>(static_cast<int>(Status::kCodecBase) + static_cast<int>(error));
}

}  // namespace tools
