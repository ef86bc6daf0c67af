// Exact longest-match search for the SZDD encoder. Position p of the input may copy from any of
// the 4,096 positions before it, where positions -4096..-1 are the spaces the window starts with;
// a match may run into the bytes it produces, and is capped at 18 bytes and at the input's end.
//
// Positions sharing a 3-byte prefix are chained; a search that already knows a match of length b
// only looks for longer ones, and any longer match shares every 3-byte piece of the first b + 1
// bytes, so it walks the chain of the piece seen longest ago (likely the rarest), and none at all
// when a piece was not seen in the window. Typical data walks a couple of chain links per search;
// no data walks more than the window.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/format.h"

namespace codec {

struct MatchResult {
  std::uint32_t length = 0;    // 0, or 3..18
  std::uint32_t distance = 0;  // 1..4096 when length > 0
};

class MatchFinder {
 public:
  // end: the input's total length. history: how many bytes before the oldest position still to
  // be searched or read back must be kept (the caller's pending bytes).
  MatchFinder(std::uint64_t end, std::size_t history);

  // Appends input; at most free_space() bytes.
  void Append(std::span<const std::uint8_t> bytes);
  std::size_t free_space() const {
    return buffer_.size() - kSlack - static_cast<std::size_t>(appended_ - base_);
  }
  // Drops bytes before `position` (absolute), making room for more input.
  void DiscardBefore(std::int64_t position);

  std::int64_t appended() const { return appended_; }
  std::uint8_t Byte(std::int64_t position) const { return At(position)[0]; }

  // The longest match at `position`. Searches must come in increasing position order, with
  // bytes known up to position + kLookahead (or to the end). Never reads outside the buffer.
  MatchResult Find(std::int64_t position);

  static constexpr std::int64_t kLookahead = 24;

 private:
  static constexpr unsigned kHashBits = 14;
  static constexpr std::size_t kRing = 8192;  // > window + lookahead, so chains stay intact
  static constexpr std::size_t kSlack = 32;   // zeros after the data for 8-byte reads

  const std::uint8_t* At(std::int64_t position) const {
    return buffer_.data() + static_cast<std::size_t>(position - base_);
  }
  std::uint32_t HashAt(std::int64_t position) const;
  void InsertUpTo(std::int64_t position);
  std::uint32_t CommonLength(std::int64_t a, std::int64_t b, std::uint32_t cap) const;
  // Improves `best` with the candidates whose bytes at offset `piece` are in that piece's chain;
  // first_only stops at the first match found.
  void WalkChain(std::int64_t position, std::uint32_t piece, std::uint32_t cap, bool first_only,
                 MatchResult& best) const;

  std::int64_t end_;
  std::vector<std::uint8_t> buffer_;
  std::int64_t base_ = -std::int64_t{kWindowSize};      // position of buffer_[0]
  std::int64_t appended_ = 0;                           // position after the last byte appended
  std::int64_t inserted_ = -std::int64_t{kWindowSize};  // next position to enter the chains
  std::vector<std::int64_t> head_;           // latest position per hash, for linking the next
  std::array<std::uint16_t, kRing> link_{};  // distance to the previous chain entry, 0 = none
  MatchResult last_{};                       // the previous search's result, reused by the next
  std::int64_t last_position_ = 0;
};

}  // namespace codec
