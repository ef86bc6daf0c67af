// The cabinet bench's table and its verdict against the targets (cab_targets.h).
#pragma once

#include <vector>

#include "cab_options.h"
#include "cab_result.h"

namespace bench {

// peak_mib: the bench process's peak resident memory, an upper bound for our encoder's.
void PrintCabReport(const std::vector<CabResult>& results, const CabOptions& options,
                    double peak_mib);

}  // namespace bench
