// Match search for the LZ encoders (DEFLATE's 32 KiB window, LZX's up to 2 MiB): at each position,
// every match worth knowing, from the shortest to the longest, each at its nearest distance.
//
// The positions sharing a 3-byte hash form a binary search tree ordered by the bytes that follow
// them, each new position becoming the root. Every node is then newer than the nodes below it, so
// the descent towards a new position meets, for any length L, the newest position that agrees
// with it on L bytes before any older one: reporting each candidate that beats the longest match
// so far gives, for every length, its nearest match. Without the depth cap the search is exact;
// with it, the candidates below max_depth nodes are dropped from the tree. A candidate equal to
// the new position as far as can be compared (max_length, or the end of the bytes) is replaced by
// it, so long runs and repeats cost one step per position.
//
// Memory: 8 bytes per slot of the window that the bytes reach, the slots being the smallest power
// of two above max_distance (at most 512 KiB for DEFLATE, 16 MiB for a 2 MiB window), plus 4 bytes
// per hash head and, when 2-byte matches are wanted, 256 KiB for the last position of each pair.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace codec::lz {

struct Match {
  std::uint32_t length = 0;
  std::uint32_t distance = 0;
};

struct FinderSettings {
  std::uint32_t max_distance = 32768;
  std::uint32_t min_length = 3;  // 2 or more
  std::uint32_t max_length = 258;
  std::uint32_t max_depth = 32;  // tree nodes compared per position
  unsigned hash_bits = 15;
};

class BinaryTreeFinder {
 public:
  explicit BinaryTreeFinder(const FinderSettings& settings);

  // Starts over on `bytes`: positions are indices into it, and nothing is known before them.
  // The bytes must stay in place until the next Reset.
  void Reset(std::span<const std::uint8_t> bytes);
  // Goes on over `bytes`, the bytes it had less their first `shift` (a multiple of slots()), and
  // possibly more after them: position p becomes p - shift, and positions before `shift` are
  // forgotten. This lets an encoder slide a buffer under a window longer than one buffer's worth.
  // Bytes may be added only where every position searched so far had max_length bytes after it:
  // the tree is ordered on what its searches could compare, and would not be on longer bytes.
  void Continue(std::span<const std::uint8_t> bytes, std::uint32_t shift);

  // The matches at `position` into `out` (which must hold max_matches()), by increasing length;
  // the first one of length L or more is the nearest such match. Returns how many there are.
  // Every position given to Find or Skip joins the window; positions must increase from call to
  // call. Matches stop at max_length and at the end of the bytes.
  std::size_t Find(std::uint32_t position, std::span<Match> out);
  // Puts `position` in the window without reporting its matches.
  void Skip(std::uint32_t position);

  std::size_t max_matches() const { return settings_.max_depth + 1; }
  // Positions that share a place in the tree are this many apart.
  std::uint32_t slots() const { return slot_mask_ + 1; }
  const FinderSettings& settings() const { return settings_; }

 private:
  static constexpr std::uint32_t kNone = 0xFFFFFFFF;

  std::size_t Search(std::uint32_t position, Match* out);
  // Takes `bytes` as the positions' bytes, the tree grown to every slot they reach.
  void Reach(std::span<const std::uint8_t> bytes);
  std::uint32_t HashAt(std::uint32_t position) const;
  std::uint32_t* Children(std::uint32_t position) {
    return &tree_[2 * std::size_t{position & slot_mask_}];
  }

  FinderSettings settings_;
  std::uint32_t slot_mask_;
  std::span<const std::uint8_t> bytes_;
  std::vector<std::uint32_t> heads_;  // newest position per hash: the tree's root
  std::vector<std::uint32_t> pairs_;  // newest position per byte pair, for 2-byte matches
  std::vector<std::uint32_t> tree_;   // per slot: the smaller and the larger child
};

}  // namespace codec::lz
