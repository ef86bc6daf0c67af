// The cabinet bench's measurements on one file: our MSZIP and LZX encoders in memory, their
// cabinets extracted by cabextract and 7-Zip (each must give the file back), and the peers end to
// end.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

#include "cab_options.h"
#include "cab_result.h"

namespace bench {

// data: the file's bytes; scratch: an empty folder to work in.
void MeasureCabinets(std::span<const std::uint8_t> data, const CabOptions& options,
                     const std::filesystem::path& scratch, CabResult& result);

}  // namespace bench
