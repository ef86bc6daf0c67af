// Every match of a stretch of positions, found once and then read by each pass of a parse.
//
// A match of `long_length` or more is taken whole: it is kept alone at its position, and the
// positions it covers join the window without a search. That spares the search and the parse's
// work inside long repeats, where nothing better than the long match is to be found.
//
// Memory: 4 bytes per position plus 8 per match kept, at most the finder's max_matches() per
// position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "lz/binary_tree_finder.h"

namespace codec::lz {

class MatchTable {
 public:
  // Searches every position of [from, to) of the bytes the finder was last reset on, in order.
  // The positions before `from` that matches may reach must already be in the finder's window.
  void Collect(BinaryTreeFinder& finder, std::uint32_t from, std::uint32_t to,
               std::uint32_t long_length);

  std::uint32_t from() const { return from_; }
  std::uint32_t to() const { return from_ + static_cast<std::uint32_t>(starts_.size()) - 1; }
  std::uint32_t min_length() const { return min_length_; }
  // The matches at `position` (within [from, to)), by increasing length, each the nearest of its
  // length.
  std::span<const Match> At(std::uint32_t position) const {
    const std::size_t index = position - from_;
    return std::span(matches_).subspan(starts_[index], starts_[index + 1] - starts_[index]);
  }

 private:
  std::uint32_t from_ = 0;
  std::uint32_t min_length_ = 0;
  std::vector<std::uint32_t> starts_;  // per position, its first match in matches_; one more
  std::vector<Match> matches_;
  std::vector<Match> scratch_;
};

}  // namespace codec::lz
