// Steps that both tools take for each file, each turning the file system's failures into the
// status that belongs to that step.
#pragma once

#include <memory>
#include <string>

#include "common/failure.h"
#include "common/file_system.h"
#include "common/passes.h"

namespace tools {

// Opens a source for reading only; a folder, a device or a missing file fails with kSource.
std::unique_ptr<InputFile> OpenSource(FileSystem& files, const std::string& path);

// A temporary file in the destination's folder (failure: the status of kOutputFailed).
std::unique_ptr<TemporaryFile> CreateTemporaryBeside(FileSystem& files,
                                                     const std::string& destination);
void FinishTemporary(TemporaryFile& temporary);

// Runs a step that reads `source`, so that a read failure reports kSource.
template <typename Step>
auto ReadingSource(Step step) {
  try {
    return step();
  } catch (const IoError& error) {
    throw ToolError(Status::kSource, error.what());
  }
}

// The failure of a codec pass over `source`, as a message that says the destination is untouched.
[[noreturn]] void ThrowPassFailure(const std::string& source, const PassResult& result);

}  // namespace tools
