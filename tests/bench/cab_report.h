// The cabinet bench's tables, MSZIP and LZX, and their verdicts against the targets
// (cab_targets.h).
#pragma once

#include <vector>

#include "cab_options.h"
#include "cab_result.h"

namespace bench {

// peak_mib: the bench process's peak resident memory, an upper bound for each of our encoders'.
void PrintCabReport(const std::vector<CabResult>& results, const CabOptions& options,
                    double peak_mib);

}  // namespace bench
