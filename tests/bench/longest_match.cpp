#include "longest_match.h"

#include <algorithm>
#include <bit>
#include <compare>
#include <limits>
#include <set>

namespace bench {
namespace {

constexpr std::uint8_t kSpace = 0x20;

// The 18 bytes that start at a position, packed big-endian so that comparing the integers compares
// the bytes in order.
struct Key {
  std::uint64_t high = 0;
  std::uint64_t middle = 0;
  std::uint16_t low = 0;
  auto operator<=>(const Key&) const = default;
};

// Positions run from -4096 (the first of the initial spaces) upwards; the position only orders
// equal keys.
struct Entry {
  Key key;
  std::int64_t position = 0;
  auto operator<=>(const Entry&) const = default;
};

std::uint64_t LoadBigEndian(const std::uint8_t* bytes, int count) {
  std::uint64_t value = 0;
  for (int k = 0; k < count; ++k) {
    value = value << 8U | bytes[k];
  }
  return value;
}

Key KeyAt(const std::uint8_t* bytes) {
  return {LoadBigEndian(bytes, 8), LoadBigEndian(bytes + 8, 8),
          static_cast<std::uint16_t>(LoadBigEndian(bytes + 16, 2))};
}

int CommonPrefix(const Key& a, const Key& b) {
  if (a.high != b.high) return std::countl_zero(a.high ^ b.high) / 8;
  if (a.middle != b.middle) return 8 + std::countl_zero(a.middle ^ b.middle) / 8;
  if (a.low != b.low) return 16 + std::countl_zero(static_cast<std::uint16_t>(a.low ^ b.low)) / 8;
  return kMaxMatch;
}

}  // namespace

// Among sorted strings, the one sharing the longest prefix with a given string is next to it in
// the order, so the window is kept as an ordered set of its 4,096 keys and each position only
// looks at its two neighbours. Exact, and O(log 4096) per position whatever the data.
std::vector<LongestMatch> FindLongestMatches(std::span<const std::uint8_t> data) {
  const std::size_t size = data.size();
  // The initial spaces, the data, then zeros so that every key can be read whole; lengths are
  // capped at the end of the data, so the zeros never count.
  std::vector<std::uint8_t> padded(kWindowSize + size + kMaxMatch, 0);
  std::fill_n(padded.begin(), kWindowSize, kSpace);
  std::copy(data.begin(), data.end(), padded.begin() + kWindowSize);

  std::set<Entry> window;
  std::vector<std::set<Entry>::iterator> slots;  // position p lives in slot (p + 4096) % 4096
  slots.reserve(kWindowSize);
  for (std::size_t k = 0; k < kWindowSize; ++k) {
    const std::int64_t position = static_cast<std::int64_t>(k) - kWindowSize;
    slots.push_back(window.insert(Entry{KeyAt(&padded[k]), position}).first);
  }

  std::vector<LongestMatch> matches(size);
  for (std::size_t i = 0; i < size; ++i) {
    const auto position = static_cast<std::int64_t>(i);
    const Key key = KeyAt(&padded[i + kWindowSize]);
    const auto cap = static_cast<int>(std::min<std::size_t>(kMaxMatch, size - i));
    LongestMatch& best = matches[i];
    auto consider = [&](const Entry& entry) {
      const int length = std::min(CommonPrefix(key, entry.key), cap);
      if (length > best.length) {
        best.length = static_cast<std::uint8_t>(length);
        best.distance = static_cast<std::uint16_t>(position - entry.position);
      }
    };
    const auto next = window.lower_bound(Entry{key, std::numeric_limits<std::int64_t>::min()});
    if (next != window.end()) consider(*next);
    if (next != window.begin()) consider(*std::prev(next));

    // Position i - 4096 leaves the window and position i enters it, in the same slot; the node is
    // reused so that sliding allocates nothing.
    auto& slot = slots[i % kWindowSize];
    auto node = window.extract(slot);
    node.value() = Entry{key, position};
    slot = window.insert(std::move(node)).position;
  }
  return matches;
}

std::uint16_t RingPosition(std::uint64_t position, std::uint16_t distance) {
  // One window's length added first keeps the sum from going below zero.
  const std::uint64_t start = kStartPosition + kWindowSize;
  return static_cast<std::uint16_t>((start + position - distance) % kWindowSize);
}

}  // namespace bench
