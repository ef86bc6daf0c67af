// Shortest-path parse of SZDD, emitted while the input streams in.
//
// A literal costs 9 bits and a match 17, so the smallest file is a cheapest path from position 0
// to the end where each step is a literal or a match of 3..18 bytes available there. Matches
// have a useful shape: if a match of length L starts at p, one of length L - 1 starts at p + 1
// (same distance), so the end e(p) of the longest match never decreases with p. The cheapest way
// into position t by a match is therefore the cheapest node of a sliding range [s(t), t - 3], kept
// in a monotone queue; a node's longest match is searched only when it reaches the queue's front,
// which spares most searches, and deep inside a match (a run, a long repeat) whole stretches of
// positions are settled at once. Ties go to the latest predecessor (the shortest last step).
//
// Streaming: every node still able to start a step (the queue's nodes and the last three) is
// "open", and every later node descends from one of them; the parse up to their latest common
// ancestor is decided. Every 1,024 positions, or once the undecided stretch has grown by half
// (so that the work stays linear), a walk down the positions with a bit per open chain finds
// that ancestor, and the decided items go out.
//
// Bound: no finite buffer makes an exact parse possible for every input. Two parses may stay
// both cheapest-so-far and disjoint over any length, the input's end deciding between them. Real
// files do it: in "00 00 00 03" followed by a long run of zeros, parses of two phases run through
// the whole run, 8 bits apart, and which one wins depends on where the run ends. So a decision
// that finds the undecided stretch at pending_limit positions or more (by default 512 Ki, over
// three times the longest stretch met in a large test corpus: a 160 KiB zero run in a shared
// library) keeps only the parse through the newest position. That costs at most 19 bits above the
// minimum (a match from the newest node, or at most two literals, replaces the first step of the
// best continuation), once per pending_limit positions at most. Memory is fixed by pending_limit:
// 1.5 times it in positions (decisions come late by half the stretch at most), at 4 bytes per
// position for the parse and 1 for the input.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "szdd/match_finder.h"
#include "szdd/szdd_items.h"

namespace codec {

struct ParserStats {
  std::uint64_t max_pending = 0;     // longest undecided stretch seen, in positions
  std::uint64_t forced_commits = 0;  // times the cap decided (0 = the output is minimal)
};

class OptimalParser {
 public:
  static constexpr std::size_t kDefaultPendingLimit = std::size_t{1} << 19;

  // length: the exact number of bytes that Feed will give.
  OptimalParser(std::uint64_t length, SzddItemSink& items,
                std::size_t pending_limit = kDefaultPendingLimit);

  // Takes bytes (never more than `length` in all) and emits the items they decide.
  void Feed(std::span<const std::uint8_t> bytes);
  // After the last byte: emits the rest of the parse.
  void Finish();

  const ParserStats& stats() const { return stats_; }

 private:
  // One position of the undecided stretch, packed in 32 bits: the step into it (5 bits), the
  // distance of its longest match (12, as distance - 1) and, while a decided stretch is emitted,
  // the step out of it (5).
  class Node {
   public:
    Node() = default;
    explicit Node(std::uint32_t step) : bits_(step) {}

    std::uint32_t step() const { return bits_ & kStepMask; }
    std::uint32_t distance() const { return ((bits_ >> kDistanceShift) & kDistanceMask) + 1; }
    void set_distance(std::uint32_t distance) {
      bits_ = (bits_ & ~(kDistanceMask << kDistanceShift)) |
              (((distance - 1) & kDistanceMask) << kDistanceShift);
    }
    std::uint32_t next_step() const { return (bits_ >> kNextShift) & kStepMask; }
    void set_next_step(std::uint32_t step) {
      bits_ = (bits_ & ~(kStepMask << kNextShift)) | (step << kNextShift);
    }

   private:
    static constexpr std::uint32_t kStepMask = 31;
    static constexpr std::uint32_t kDistanceMask = 0xFFF;
    static constexpr unsigned kDistanceShift = 5;
    static constexpr unsigned kNextShift = 17;
    std::uint32_t bits_ = 0;
  };
  static constexpr std::int64_t kNotSearched = -1;
  struct Candidate {
    std::int64_t node = 0;
    std::uint64_t cost = 0;
    std::int64_t end = kNotSearched;  // end of the longest match, once searched
  };

  static constexpr std::uint64_t kUnreachable = ~std::uint64_t{0} >> 2;
  static constexpr std::size_t kQueue = 32;  // > the 16 nodes that can start a match into t

  Node& At(std::int64_t position) {
    return nodes_[static_cast<std::size_t>(position) & node_mask_];
  }
  std::uint64_t& CostAt(std::int64_t position) {
    return costs_[static_cast<std::size_t>(position) & 3];
  }
  Candidate& QueueAt(std::size_t index) { return queue_[index & (kQueue - 1)]; }

  void Run(bool final);
  void Step(std::int64_t target);
  void RideMatch(std::int64_t until);
  // Emits what the open nodes agree on. At the end (finish), or when the undecided stretch has
  // reached the cap, first closes every open node but the newest, which decides everything.
  void Decide(bool finish);
  std::int64_t CommonAncestor();
  std::int64_t MinInterval() const;
  void Emit(std::int64_t until);

  MatchFinder finder_;
  SzddItemSink& items_;
  std::int64_t length_;
  std::size_t pending_limit_;
  std::vector<Node> nodes_;
  std::size_t node_mask_;
  std::array<std::uint64_t, 4> costs_{};  // cheapest cost into the last four positions
  std::array<Candidate, kQueue> queue_{};
  std::size_t queue_head_ = 0;
  std::size_t queue_tail_ = 0;
  std::int64_t done_ = 0;         // last position whose cost is known
  std::int64_t root_ = 0;         // end of the emitted parse
  std::int64_t next_decide_ = 0;  // when Decide() runs next
  ParserStats stats_;
};

}  // namespace codec
