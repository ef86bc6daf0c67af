// The totals line of the tables.
#pragma once

#include <vector>

#include "file_result.h"

namespace bench {

// Sums over the files, named TOTAL, so that the totals line is computed like any file's line. A
// figure that some file lacks (its peer failed) is absent from the total rather than understated.
FileResult SumOf(const std::vector<FileResult>& results);

}  // namespace bench
