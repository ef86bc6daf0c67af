// The bench's tables and its verdict against the targets.
#pragma once

#include <vector>

#include "file_result.h"
#include "options.h"

namespace bench {

void PrintReport(const std::vector<FileResult>& results, const Options& options);

}  // namespace bench
