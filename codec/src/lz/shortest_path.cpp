#include "lz/shortest_path.h"

namespace codec::lz {

void ShortestPath::Trace(std::uint32_t count, std::vector<Step>& steps) const {
  steps.clear();
  for (std::uint32_t at = count; at > 0; at -= nodes_[at].length)
    steps.push_back({nodes_[at].length, nodes_[at].distance});
  std::reverse(steps.begin(), steps.end());
}

}  // namespace codec::lz
