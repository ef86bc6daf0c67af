#include "szdd/match_finder.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>

namespace codec {
namespace {

constexpr std::int64_t kWindow = kWindowSize;
// Chain links longer than this lead out of every search's window: they end the chain.
constexpr std::int64_t kLinkSpan = kWindow + MatchFinder::kLookahead;

std::uint64_t Load64(const std::uint8_t* p) {
  std::uint64_t value = 0;
  std::memcpy(&value, p, sizeof value);
  return value;
}

}  // namespace

MatchFinder::MatchFinder(std::uint64_t end, std::size_t history)
    : end_(static_cast<std::int64_t>(end)),
      buffer_(history + kWindowSize + 2 * kRing + kSlack, 0),
      head_(std::size_t{1} << kHashBits, std::numeric_limits<std::int64_t>::min() / 2) {
  std::fill_n(buffer_.begin(), kWindowSize, kWindowFill);
}

void MatchFinder::Append(std::span<const std::uint8_t> bytes) {
  std::copy(bytes.begin(), bytes.end(), buffer_.begin() + (appended_ - base_));
  appended_ += static_cast<std::int64_t>(bytes.size());
}

void MatchFinder::DiscardBefore(std::int64_t position) {
  if (position <= base_) return;
  const auto drop = static_cast<std::size_t>(position - base_);
  const auto kept = static_cast<std::size_t>(appended_ - position);
  std::memmove(buffer_.data(), buffer_.data() + drop, kept);
  std::fill_n(buffer_.begin() + static_cast<std::ptrdiff_t>(kept), kSlack, std::uint8_t{0});
  base_ = position;
}

std::uint32_t MatchFinder::HashAt(std::int64_t position) const {
  const std::uint8_t* p = At(position);
  const std::uint32_t key = static_cast<std::uint32_t>(p[0]) |
                            (static_cast<std::uint32_t>(p[1]) << 8u) |
                            (static_cast<std::uint32_t>(p[2]) << 16u);
  return (key * 2654435761u) >> (32 - kHashBits);
}

void MatchFinder::InsertUpTo(std::int64_t position) {
  // A position enters once its three bytes are known; the last two never start a match.
  const std::int64_t last = std::min({position, appended_ - 3, end_ - 3});
  for (; inserted_ <= last; ++inserted_) {
    const std::uint32_t hash = HashAt(inserted_);
    const std::int64_t gap = inserted_ - head_[hash];
    link_[static_cast<std::size_t>(inserted_) & (kRing - 1)] =
        gap <= kLinkSpan ? static_cast<std::uint16_t>(gap) : 0;
    head_[hash] = inserted_;
  }
}

std::uint32_t MatchFinder::CommonLength(std::int64_t a, std::int64_t b, std::uint32_t cap) const {
  const std::uint8_t* pa = At(a);
  const std::uint8_t* pb = At(b);
  std::uint32_t n = 0;
  while (n < cap) {
    const std::uint64_t diff = Load64(pa + n) ^ Load64(pb + n);
    if (diff != 0) return std::min(cap, n + static_cast<std::uint32_t>(std::countr_zero(diff) / 8));
    n += 8;
  }
  return cap;
}

void MatchFinder::WalkChain(std::int64_t position, std::uint32_t piece, std::uint32_t cap,
                            bool first_only, MatchResult& best) const {
  const std::int64_t oldest = position - kWindow;
  const std::uint8_t* here = At(position);
  // The piece's own chain entry leads to the earlier positions holding the same three bytes.
  std::int64_t entry = position + piece;
  for (;;) {
    const std::uint16_t gap = link_[static_cast<std::size_t>(entry) & (kRing - 1)];
    entry -= gap;
    if (gap == 0 || entry - piece < oldest) return;
    const std::int64_t candidate = entry - piece;
    // A longer match must agree on the byte just past the best one first.
    if (best.length < kSzddMinMatch || At(candidate)[best.length] == here[best.length]) {
      const std::uint32_t length = CommonLength(position, candidate, cap);
      if (length > best.length && length >= kSzddMinMatch) {
        best = {length, static_cast<std::uint32_t>(position - candidate)};
        if (length == cap || first_only) return;
      }
    }
  }
}

MatchResult MatchFinder::Find(std::int64_t position) {
  InsertUpTo(position + static_cast<std::int64_t>(kSzddMaxMatch) - 1);
  const std::int64_t left = end_ - position;
  const auto cap = static_cast<std::uint32_t>(std::min<std::int64_t>(kSzddMaxMatch, left));
  MatchResult best;
  if (cap < kSzddMinMatch) return best;

  // The previous search's match, shifted, still holds here while at least 3 bytes of it remain.
  const std::int64_t inherited_end = last_position_ + last_.length;
  if (last_.length > 0 && inherited_end - position >= kSzddMinMatch) {
    best = {CommonLength(position, position - last_.distance, cap), last_.distance};
  }
  if (best.length < kSzddMinMatch) {
    best = {};
    WalkChain(position, 0, cap, true, best);
  }
  if (best.length >= kSzddMinMatch && best.length < cap) {
    // The piece seen longest ago is likely the rarest; one not seen in the window at all rules
    // out any longer match.
    std::uint32_t piece = 0;
    std::uint32_t farthest = 0;
    for (std::uint32_t i = 0; i + 2 <= best.length; ++i) {
      const std::uint32_t gap = link_[static_cast<std::size_t>(position + i) & (kRing - 1)];
      if (gap == 0 || gap > kWindowSize + i) {
        farthest = 0;
        break;
      }
      if (gap > farthest) {
        farthest = gap;
        piece = i;
      }
    }
    if (farthest != 0) WalkChain(position, piece, cap, false, best);
  }
  last_ = best;
  last_position_ = position;
  return best;
}

}  // namespace codec
