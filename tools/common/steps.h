// Steps that both tools take for each file, each turning the file system's failures into the
// status that belongs to that step.
#pragma once

#include <memory>
#include <string>

#include "common/failure.h"
#include "common/file_system.h"
#include "common/passes.h"
#include "common/session.h"

namespace tools {

// Opens a source for reading only; a folder, a device or a missing file fails with kSource.
std::unique_ptr<InputFile> OpenSource(FileSystem& files, const std::string& path);

// The temporary file for a target that is a file (failure: the status of kOutputFailed).
std::unique_ptr<TemporaryFile> CreateTemporaryFor(FileSystem& files, const Target& target);
void FinishTemporary(TemporaryFile& temporary);
// Writes a header again over the start of the temporary file (failure: kOutputFailed's status).
void WriteHeader(TemporaryFile& temporary, std::span<const std::uint8_t> header);
// A target that is a device or a pipe, opened for writing (failure: kOutputFailed's status).
std::unique_ptr<Writer> OpenTargetStream(FileSystem& files, const Target& target);

// Runs a step that reads `source`, so that a read failure reports kSource.
template <typename Step>
auto ReadingSource(Step step) {
  try {
    return step();
  } catch (const IoError& error) {
    throw ToolError(Status::kSource, error.what());
  }
}

// What a failure before any output left at `destination`: the file there as it was, or nothing.
std::string Untouched(FileSystem& files, const std::string& destination);

// The failure of a codec pass over `source`, as a message that ends with what it left behind.
[[noreturn]] void ThrowPassFailure(const std::string& source, const PassResult& result,
                                   const std::string& left_behind);

}  // namespace tools
