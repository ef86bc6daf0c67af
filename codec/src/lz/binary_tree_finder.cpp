#include "lz/binary_tree_finder.h"

#include <algorithm>
#include <bit>

#include "lz/common_length.h"

namespace codec::lz {

BinaryTreeFinder::BinaryTreeFinder(const FinderSettings& settings)
    : settings_(settings),
      slot_mask_(std::bit_ceil(settings.max_distance + 1) - 1),
      heads_(std::size_t{1} << settings.hash_bits, kNone) {
  if (settings_.min_length <= 2) pairs_.assign(std::size_t{1} << 16, kNone);
}

void BinaryTreeFinder::Reset(std::span<const std::uint8_t> bytes) {
  Reach(bytes);
  std::fill(heads_.begin(), heads_.end(), kNone);
  std::fill(pairs_.begin(), pairs_.end(), kNone);
}

void BinaryTreeFinder::Continue(std::span<const std::uint8_t> bytes, std::uint32_t shift) {
  Reach(bytes);
  if (shift == 0) return;
  const auto move = [shift](std::uint32_t& position) {
    position = position == kNone || position < shift ? kNone : position - shift;
  };
  std::for_each(heads_.begin(), heads_.end(), move);
  std::for_each(pairs_.begin(), pairs_.end(), move);
  std::for_each(tree_.begin(), tree_.end(), move);
}

void BinaryTreeFinder::Reach(std::span<const std::uint8_t> bytes) {
  bytes_ = bytes;
  // The slots that these bytes' positions fall in, so that short inputs take little memory; a
  // position keeps its slot as the tree grows, since slots are positions modulo the window's.
  const std::size_t slots = std::min(bytes.size(), std::size_t{slot_mask_} + 1);
  if (tree_.size() < 2 * slots) tree_.resize(2 * slots, kNone);
}

std::uint32_t BinaryTreeFinder::HashAt(std::uint32_t position) const {
  const std::uint8_t* p = bytes_.data() + position;
  const std::uint32_t key = static_cast<std::uint32_t>(p[0]) |
                            (static_cast<std::uint32_t>(p[1]) << 8u) |
                            (static_cast<std::uint32_t>(p[2]) << 16u);
  return (key * 2654435761u) >> (32 - settings_.hash_bits);
}

std::size_t BinaryTreeFinder::Find(std::uint32_t position, std::span<Match> out) {
  return Search(position, out.data());
}

void BinaryTreeFinder::Skip(std::uint32_t position) {
  Search(position, nullptr);
}

std::size_t BinaryTreeFinder::Search(std::uint32_t position, Match* out) {
  const std::uint32_t left = static_cast<std::uint32_t>(bytes_.size()) - position;
  const std::uint32_t limit = std::min(settings_.max_length, left);
  const std::uint8_t* here = bytes_.data() + position;
  std::size_t count = 0;
  std::uint32_t best = settings_.min_length - 1;

  if (!pairs_.empty() && left >= 2) {
    const std::uint32_t pair =
        static_cast<std::uint32_t>(here[0]) | (static_cast<std::uint32_t>(here[1]) << 8u);
    const std::uint32_t candidate = pairs_[pair];
    pairs_[pair] = position;
    if (candidate != kNone && position - candidate <= settings_.max_distance && best < 2) {
      best = 2;
      if (out != nullptr) out[count++] = {2, position - candidate};
    }
  }
  if (left < 3) return count;

  const std::uint32_t hash = HashAt(position);
  std::uint32_t candidate = heads_[hash];
  heads_[hash] = position;
  // Where the next candidate found smaller (larger) than the new position hangs: first the new
  // position's own children, then the larger (smaller) child of the last such candidate.
  std::uint32_t* smaller = Children(position);
  std::uint32_t* larger = smaller + 1;
  std::uint32_t smaller_agree = 0;  // bytes shared with the last smaller and larger candidates
  std::uint32_t larger_agree = 0;
  for (std::uint32_t depth = settings_.max_depth;; --depth) {
    if (candidate == kNone || position - candidate > settings_.max_distance || depth == 0) {
      *smaller = kNone;
      *larger = kNone;
      break;
    }
    // Every node below lies between the last smaller and larger candidates, so it shares at least
    // the bytes they both share with the new position.
    const std::uint8_t* there = bytes_.data() + candidate;
    const std::uint32_t agree =
        CommonLength(here, there, std::min(smaller_agree, larger_agree), limit);
    if (agree > best) {
      best = agree;
      if (out != nullptr) out[count++] = {agree, position - candidate};
    }
    std::uint32_t* children = Children(candidate);
    if (agree == limit) {
      *smaller = children[0];
      *larger = children[1];
      break;
    }
    if (there[agree] < here[agree]) {
      *smaller = candidate;
      smaller = children + 1;
      smaller_agree = agree;
      candidate = *smaller;
    } else {
      *larger = candidate;
      larger = children;
      larger_agree = agree;
      candidate = *larger;
    }
  }
  return count;
}

}  // namespace codec::lz
