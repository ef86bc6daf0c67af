#include "quantum/adaptive_model.h"

#include <utility>

namespace codec::quantum {

AdaptiveModel::AdaptiveModel(unsigned first, unsigned count)
    : count_(static_cast<std::uint8_t>(count)) {
  for (unsigned entry = 0; entry < count; ++entry) {
    symbols_[entry] = static_cast<std::uint8_t>(first + entry);
    cumulative_[entry] = static_cast<std::uint16_t>(count - entry);
  }
}

unsigned AdaptiveModel::EntryOf(unsigned symbol) const {
  unsigned entry = 0;
  while (entry < count_ && symbols_[entry] != symbol)
    ++entry;
  return entry;
}

void AdaptiveModel::Rescale() {
  if (--halvings_left_ == 0) {
    halvings_left_ = kHalvingsBeforeSort;
    HalveAndSort();
    return;
  }
  // Halve the cumulative frequencies, keeping every entry's frequency at one or more.
  for (unsigned entry = count_; entry-- > 0;) {
    cumulative_[entry] = static_cast<std::uint16_t>(cumulative_[entry] >> 1);
    if (cumulative_[entry] <= cumulative_[entry + 1]) {
      cumulative_[entry] = static_cast<std::uint16_t>(cumulative_[entry + 1] + 1);
    }
  }
}

void AdaptiveModel::HalveAndSort() {
  // Each frequency halved, rounding up so that none falls to zero.
  std::array<std::uint16_t, kMaxSymbols> frequency{};
  for (unsigned entry = 0; entry < count_; ++entry) {
    frequency[entry] =
        static_cast<std::uint16_t>((cumulative_[entry] - cumulative_[entry + 1] + 1) >> 1);
  }
  // The order of equal frequencies is part of the format: this exchange sort decides it.
  for (unsigned i = 0; i + 1 < count_; ++i) {
    for (unsigned j = i + 1; j < count_; ++j) {
      if (frequency[i] < frequency[j]) {
        std::swap(frequency[i], frequency[j]);
        std::swap(symbols_[i], symbols_[j]);
      }
    }
  }
  for (unsigned entry = count_; entry-- > 0;) {
    cumulative_[entry] = static_cast<std::uint16_t>(cumulative_[entry + 1] + frequency[entry]);
  }
}

}  // namespace codec::quantum
