// The matches of a stretch of LZX data, found once and read by every pass of the parse, as the
// format lets them be used: cut at the end of their frame, since no match crosses one, and each
// the nearest of its length once cut.
//
// A match reaching `long_length` is kept alone at its position, and the positions it covers join
// the finder's window without a search: the parse takes such a match whole. At most kMostMatches
// are kept per position, the longest ones; a shorter length then goes with a farther distance.
//
// Memory: 4 bytes per position and 4 per match kept, at most 36 bytes per position.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "lz/binary_tree_finder.h"

namespace codec {

class LzxMatchTable {
 public:
  static constexpr std::uint32_t kMostMatches = 8;

  // Searches the positions [from, to) of the finder's bytes, whose frames end at multiples of
  // kLzxFrameSize. The positions before `from` that matches may reach must be in the finder's
  // window, and the positions searched follow those of the finder's last search.
  void Collect(lz::BinaryTreeFinder& finder, std::uint32_t from, std::uint32_t to,
               std::uint32_t long_length);

  // A match packed in 32 bits: its distance (below 2^21) and its length less two.
  struct Entry {
    std::uint32_t bits;
    std::uint32_t length() const { return (bits & 0xFF) + 2; }
    std::uint32_t distance() const { return bits >> 8; }
  };

  // The matches at `position` (within [from, to)), by increasing length and distance.
  std::span<const Entry> At(std::uint32_t position) const {
    const std::uint32_t* start = &starts_[position - from_];
    return std::span(entries_).subspan(start[0], start[1] - start[0]);
  }

 private:
  std::uint32_t from_ = 0;
  std::vector<std::uint32_t> starts_;  // per position its first entry, and the end after them
  std::vector<Entry> entries_;
  std::vector<lz::Match> found_;
};

}  // namespace codec
