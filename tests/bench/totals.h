// The totals line of the tables.
#pragma once

#include <optional>
#include <vector>

#include "file_result.h"

namespace bench {

// Adds `part` to `sum`, or forgets the sum when either is missing.
template <typename T>
void AddOrForget(std::optional<T>& sum, const std::optional<T>& part) {
  if (sum && part) {
    *sum += *part;
  } else {
    sum.reset();
  }
}

// Sums over the files, named TOTAL, so that the totals line is computed like any file's line. A
// figure that some file lacks (its peer failed) is absent from the total rather than understated.
FileResult SumOf(const std::vector<FileResult>& results);

}  // namespace bench
