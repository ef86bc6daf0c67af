// Everything measured on one file. Times are the best wall-clock seconds of the runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace bench {

struct FileResult {
  std::string name;
  std::uint64_t size = 0;
  std::uint64_t minimum = 0;  // smallest SZDD file the format allows
  std::uint64_t ours = 0;
  std::optional<std::uint64_t> mscompress_size;

  double minimum_seconds = 0;  // what the exact minimum took to compute, for the record
  double memcpy_seconds = 0;
  double compress_seconds = 0;  // our codec, in memory
  double expand_seconds = 0;
  std::optional<double> tool_compress_seconds;  // our native tools, end to end
  std::optional<double> tool_expand_seconds;
  std::optional<double> mscompress_seconds;  // the peers, end to end
  std::optional<double> msexpand_seconds;

  // Wrong output, failed round trips or interop, a size the minimum contradicts: any entry fails
  // the run.
  std::vector<std::string> problems;
};

}  // namespace bench
