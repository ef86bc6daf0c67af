#include "lzx/lzx_match_table.h"

#include <algorithm>

#include "lzx/lzx_format.h"

namespace codec {

void LzxMatchTable::Collect(lz::BinaryTreeFinder& finder, std::uint32_t from, std::uint32_t to,
                            std::uint32_t long_length) {
  from_ = from;
  starts_.clear();
  entries_.clear();
  // Room for the most there can be, so that growing never doubles it.
  starts_.reserve(std::size_t{to - from} + 1);
  entries_.reserve(std::size_t{to - from} * kMostMatches);
  found_.resize(finder.max_matches());
  std::uint32_t position = from;
  while (position < to) {
    const auto frame_end =
        static_cast<std::uint32_t>((position / kLzxFrameSize + 1) * kLzxFrameSize);
    const std::uint32_t room = std::min(to, frame_end) - position;
    starts_.push_back(static_cast<std::uint32_t>(entries_.size()));
    const std::size_t count = finder.Find(position, found_);
    // Cut at the frame's end, the nearest of each length kept: from the longest down, a match
    // cut to the length of the one kept before it replaces that one, and a match at the distance
    // of the one kept before it is no use.
    std::uint32_t kept = 0;
    std::uint32_t last_length = 0;
    const std::size_t first = entries_.size();
    for (std::size_t i = count; i-- > 0;) {
      const std::uint32_t length = std::min(found_[i].length, room);
      if (length < kLzxMinMatch) break;
      const Entry entry{(found_[i].distance << 8) | (length - kLzxMinMatch)};
      if (kept > 0 && entry.distance() == entries_.back().distance()) continue;
      if (length == last_length) {
        entries_.back() = entry;
        continue;
      }
      if (kept == kMostMatches) break;
      entries_.push_back(entry);
      last_length = length;
      ++kept;
    }
    std::reverse(entries_.begin() + static_cast<std::ptrdiff_t>(first), entries_.end());
    ++position;
    if (kept == 0 || entries_.back().length() < long_length) continue;
    entries_[first] = entries_.back();
    entries_.resize(first + 1);
    const std::uint32_t end = position - 1 + entries_.back().length();
    for (; position < end; ++position) {
      starts_.push_back(static_cast<std::uint32_t>(entries_.size()));
      finder.Skip(position);
    }
  }
  starts_.push_back(static_cast<std::uint32_t>(entries_.size()));
}

}  // namespace codec
