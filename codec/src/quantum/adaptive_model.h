// One adaptive frequency model of the Quantum method: its symbols in coding order, each with the
// cumulative frequency of the entries after it. Coding a symbol adds a step to its frequency; a
// total grown past its limit is halved, and every fiftieth halving (the fourth, the first time)
// also sorts the entries by frequency, so that frequent symbols come first.
#pragma once

#include <array>
#include <cstdint>

namespace codec::quantum {

class AdaptiveModel {
 public:
  static constexpr unsigned kMaxSymbols = 64;

  // The symbols first..first+count-1 (count at most kMaxSymbols), each of frequency one.
  AdaptiveModel(unsigned first, unsigned count);

  unsigned size() const { return count_; }
  std::uint32_t total() const { return cumulative_[0]; }
  // Entry `entry` owns the frequencies [low(entry), high(entry)) of [0, total()).
  std::uint32_t low(unsigned entry) const { return cumulative_[entry + 1]; }
  std::uint32_t high(unsigned entry) const { return cumulative_[entry]; }
  unsigned symbol(unsigned entry) const { return symbols_[entry]; }

  // The entry whose frequencies hold `value`, which must be below total().
  unsigned Find(std::uint32_t value) const {
    unsigned entry = 0;
    while (cumulative_[entry + 1] > value)
      ++entry;
    return entry;
  }
  // The entry of `symbol`, or size() when the model has no such symbol.
  unsigned EntryOf(unsigned symbol) const;

  // Counts one more occurrence of the entry just coded.
  void Update(unsigned entry) {
    for (unsigned i = 0; i <= entry; ++i)
      cumulative_[i] = static_cast<std::uint16_t>(cumulative_[i] + kStep);
    if (cumulative_[0] > kMaxTotal) Rescale();
  }

 private:
  static constexpr unsigned kStep = 8;
  static constexpr unsigned kMaxTotal = 3800;
  static constexpr std::uint8_t kFirstHalvingsBeforeSort = 4;
  static constexpr std::uint8_t kHalvingsBeforeSort = 50;

  void Rescale();
  void HalveAndSort();

  std::array<std::uint16_t, kMaxSymbols + 1> cumulative_{};
  std::array<std::uint8_t, kMaxSymbols> symbols_{};
  std::uint8_t count_;
  std::uint8_t halvings_left_ = kFirstHalvingsBeforeSort;
};

}  // namespace codec::quantum
