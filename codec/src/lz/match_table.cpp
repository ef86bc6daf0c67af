#include "lz/match_table.h"

#include <algorithm>

namespace codec::lz {

void MatchTable::Collect(BinaryTreeFinder& finder, std::uint32_t from, std::uint32_t to,
                         std::uint32_t long_length) {
  from_ = from;
  min_length_ = finder.settings().min_length;
  starts_.clear();
  matches_.clear();
  scratch_.resize(finder.max_matches());
  std::uint32_t position = from;
  while (position < to) {
    starts_.push_back(static_cast<std::uint32_t>(matches_.size()));
    const std::size_t count = finder.Find(position, scratch_);
    ++position;
    if (count == 0) continue;
    const Match longest = scratch_[count - 1];
    if (longest.length < long_length) {
      matches_.insert(matches_.end(), scratch_.begin(),
                      scratch_.begin() + static_cast<std::ptrdiff_t>(count));
      continue;
    }
    matches_.push_back(longest);
    const std::uint32_t end = std::min(to, position - 1 + longest.length);
    for (; position < end; ++position) {
      starts_.push_back(static_cast<std::uint32_t>(matches_.size()));
      finder.Skip(position);
    }
  }
  starts_.push_back(static_cast<std::uint32_t>(matches_.size()));
}

}  // namespace codec::lz
