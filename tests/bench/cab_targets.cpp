#include "cab_targets.h"

namespace bench {

bool Incompressible(const CabResult& result) {
  return result.gcab && *result.gcab >= result.size;
}

std::vector<std::string> MissedSizeTargets(const std::vector<CabResult>& results) {
  std::vector<std::string> missed;
  for (const CabResult& result : results) {
    if (!result.gcab) continue;
    const auto ours = static_cast<double>(result.ours);
    const auto gcab = static_cast<double>(*result.gcab);
    if (ours > gcab) {
      missed.push_back(result.name + ": larger than gcab's");
    } else if (!Incompressible(result) && ours > (1 - kSmallerThanGcab) * gcab) {
      missed.push_back(result.name + ": only " +
                       std::to_string(100 * (1 - ours / gcab)).substr(0, 4) +
                       "% smaller than gcab's");
    }
  }
  return missed;
}

std::vector<std::string> MissedLzxTargets(const std::vector<CabResult>& results) {
  std::vector<std::string> missed;
  for (const CabResult& result : results) {
    if (result.lzx > result.ours) missed.push_back(result.name + ": LZX larger than MSZIP");
    if (!result.xz || *result.xz >= result.size) continue;
    const double ratio = static_cast<double>(result.lzx) / static_cast<double>(*result.xz);
    if (ratio > kLzxOverXz) {
      missed.push_back(result.name + ": LZX " + std::to_string(ratio).substr(0, 5) +
                       " times xz -9's size");
    }
  }
  return missed;
}

}  // namespace bench
