// End-to-end measurements with processes on real files: the Debian peers mscompress and msexpand,
// and our own native tools when they are built. Each output is checked, which doubles as an interop
// check: our expander reads mscompress's files and msexpand reads ours.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "file_result.h"
#include "options.h"

namespace bench {

// data: the original file; ours: our SZDD file of it; scratch: an empty folder to work in.
void MeasurePeers(std::span<const std::uint8_t> data, std::span<const std::uint8_t> ours,
                  const Options& options, const std::filesystem::path& scratch, FileResult& result);

}  // namespace bench
