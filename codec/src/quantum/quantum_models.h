// The nine models of a Quantum folder, fresh at its start and adapted by every symbol after.
#pragma once

#include <algorithm>
#include <array>

#include "quantum/adaptive_model.h"
#include "quantum/quantum_tables.h"

namespace codec::quantum {

struct QuantumModels {
  // The window bounds positions only through the number of slots the position models hold (the
  // models' sizes start their frequencies, so a decoder must agree on them): two per window bit,
  // which makes the farthest distance exactly 2^window_bits, 2^12 at most for 3-byte matches and
  // 2^18 for 4-byte ones.
  explicit QuantumModels(unsigned window_bits)
      : match3_positions(0, std::min(2 * window_bits, kMatch3Slots)),
        match4_positions(0, std::min(2 * window_bits, kMatch4Slots)),
        long_positions(0, 2 * window_bits) {}

  AdaptiveModel selector{0, kSelectors};
  std::array<AdaptiveModel, kLiteralModels> literals{
      AdaptiveModel(0 * kLiteralsPerModel, kLiteralsPerModel),
      AdaptiveModel(1 * kLiteralsPerModel, kLiteralsPerModel),
      AdaptiveModel(2 * kLiteralsPerModel, kLiteralsPerModel),
      AdaptiveModel(3 * kLiteralsPerModel, kLiteralsPerModel)};
  AdaptiveModel match3_positions;
  AdaptiveModel match4_positions;
  AdaptiveModel long_positions;
  AdaptiveModel long_lengths{0, kLengthSlots};
};

}  // namespace codec::quantum
