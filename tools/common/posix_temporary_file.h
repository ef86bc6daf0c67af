// The output file on POSIX systems. On Linux it is made without a name (O_TMPFILE) in the
// destination's folder and linked into place only once complete, so that nothing is left when the
// tool dies, even killed outright. Where that cannot be done (another system, a file system
// without unnamed files, no /proc), it is a named file, ~tf<digits>.tmp, removed on interruption.
#pragma once

#include <memory>
#include <string>

#include "common/file_system.h"

namespace tools::posix {

std::unique_ptr<TemporaryFile> CreateTemporary(const std::string& destination, TemporaryKind kind);

}  // namespace tools::posix
