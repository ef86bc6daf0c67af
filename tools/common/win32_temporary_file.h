// The output file on Windows: ~TF<digits>.TMP in the destination's folder, marked for deletion
// while it is written, so that the system removes it if the tool dies, however it dies. The mark
// is lifted just before the file takes the destination's place: through the system's file
// replacement when a file is there (it keeps that file's security descriptor and attributes), by
// a rename otherwise. Where the mark cannot be set, the file is removed on interruption (Ctrl+C,
// console closed) instead.
#pragma once

#include <memory>
#include <string>

#include "common/file_system.h"

namespace tools::win32 {

std::unique_ptr<TemporaryFile> CreateTemporary(const std::string& destination);

}  // namespace tools::win32
