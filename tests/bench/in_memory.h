// Measurements without processes: our codec on buffers, a plain copy of the same bytes, and the
// exact minimum with its evidence.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "file_result.h"

namespace bench {

// Times our compressor and expander and checks the round trip. Returns our SZDD file (empty when
// compression failed, which is recorded as a problem).
std::vector<std::uint8_t> MeasureOurCodec(std::span<const std::uint8_t> data, int runs,
                                          FileResult& result);

void MeasureMemoryCopy(std::span<const std::uint8_t> data, int runs, FileResult& result);

// Computes the minimum, checks that its evidence file is that size and expands to the data, and
// checks our size against it (exactly equal when `require_equal`).
void MeasureMinimum(std::span<const std::uint8_t> data, bool require_equal, FileResult& result);

}  // namespace bench
