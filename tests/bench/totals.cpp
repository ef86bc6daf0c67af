#include "totals.h"

namespace bench {

FileResult SumOf(const std::vector<FileResult>& results) {
  FileResult total;
  total.name = "TOTAL";
  total.mscompress_size = 0;
  total.tool_compress_seconds = total.tool_expand_seconds = 0;
  total.mscompress_seconds = total.msexpand_seconds = 0;
  for (const FileResult& file : results) {
    total.size += file.size;
    total.minimum += file.minimum;
    total.ours += file.ours;
    total.minimum_seconds += file.minimum_seconds;
    total.memcpy_seconds += file.memcpy_seconds;
    total.compress_seconds += file.compress_seconds;
    total.expand_seconds += file.expand_seconds;
    AddOrForget(total.mscompress_size, file.mscompress_size);
    AddOrForget(total.tool_compress_seconds, file.tool_compress_seconds);
    AddOrForget(total.tool_expand_seconds, file.tool_expand_seconds);
    AddOrForget(total.mscompress_seconds, file.mscompress_seconds);
    AddOrForget(total.msexpand_seconds, file.msexpand_seconds);
  }
  return total;
}

}  // namespace bench
