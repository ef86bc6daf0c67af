// The size targets of our cabinets. MSZIP against gcab -z: at least kSmallerThanGcab smaller on
// every file gcab compresses, and never larger on any file (incompressible ones come out stored).
// LZX: never larger than our MSZIP, and within kLzxOverXz of xz -9 on every file xz compresses.
#pragma once

#include <string>
#include <vector>

#include "cab_result.h"

namespace bench {

inline constexpr double kSmallerThanGcab = 0.06;
inline constexpr double kLzxOverXz = 1.25;
inline constexpr double kTargetSpeed = 1.0;        // MB/s over the corpus
inline constexpr double kTargetMemoryMiB = 256.0;  // peak

// A file that gcab cannot make smaller: random or already compressed data.
bool Incompressible(const CabResult& result);

// A line for each file that misses its size target, saying how; empty when all are met or when
// gcab's size is unknown.
std::vector<std::string> MissedSizeTargets(const std::vector<CabResult>& results);
// The same for our LZX cabinets; xz's size unknown leaves that target out.
std::vector<std::string> MissedLzxTargets(const std::vector<CabResult>& results);

}  // namespace bench
