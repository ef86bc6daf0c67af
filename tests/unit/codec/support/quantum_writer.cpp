#include "support/quantum_writer.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "quantum/quantum_models.h"
#include "quantum/quantum_tables.h"

namespace codec_test {

using namespace codec::quantum;

namespace {

// The encoder matching the decoder's coder: the same interval arithmetic, the bits of a settled
// top end written at once, those of a straddling interval owed until it settles. The decoder
// reads raw bits after the 16 bits of look-ahead its code value holds, so raw bits are kept aside
// with the count of shifts before them and merged into place when the frame ends.
class FrameEncoder {
 public:
  void Encode(AdaptiveModel& model, unsigned symbol) {
    const unsigned entry = model.EntryOf(symbol);
    if (entry == model.size()) throw std::invalid_argument("symbol outside its model");
    const std::uint32_t range = high_ - low_ + 1;
    const std::uint32_t total = model.total();
    high_ = low_ + model.high(entry) * range / total - 1;
    low_ = low_ + model.low(entry) * range / total;
    model.Update(entry);
    for (;;) {
      if (((low_ ^ high_) & kHalf) != 0) {
        if ((low_ & kQuarter) == 0 || (high_ & kQuarter) != 0) break;
        ++owed_;
        low_ &= kQuarter - 1;
        high_ |= kQuarter;
      } else {
        Settle((low_ & kHalf) != 0);
      }
      low_ = (low_ << 1) & kMask;
      high_ = ((high_ << 1) | 1) & kMask;
      ++shifts_;
    }
  }

  void Raw(std::uint32_t value, unsigned count) {
    for (unsigned i = count; i-- > 0;)
      raw_.emplace_back(shifts_, ((value >> i) & 1) != 0);
  }

  // Two bits that put the code value inside the final interval whatever follows them, zeros up
  // to the last bit the decoder reads, the raw bits in place, then zeros up to a byte boundary,
  // at least two of them: one of the independent decoders refuses a frame with fewer.
  Bytes Finish() {
    ++owed_;
    Settle((low_ & kQuarter) != 0);
    coded_.resize(std::max<std::size_t>(coded_.size(), kLookAhead + shifts_), false);
    std::vector<bool> stream;
    auto raw = raw_.begin();
    for (std::size_t i = 0; i < coded_.size(); ++i) {
      stream.push_back(coded_[i]);
      for (; raw != raw_.end() && i + 1 == kLookAhead + raw->first; ++raw)
        stream.push_back(raw->second);
    }
    Bytes bytes((stream.size() + kMinPadding + 7) / 8, 0);
    for (std::size_t i = 0; i < stream.size(); ++i) {
      if (stream[i]) bytes[i / 8] = static_cast<std::uint8_t>(bytes[i / 8] | (0x80u >> (i % 8)));
    }
    return bytes;
  }

 private:
  static constexpr std::uint32_t kMask = 0xFFFF;
  static constexpr std::uint32_t kHalf = 0x8000;
  static constexpr std::uint32_t kQuarter = 0x4000;
  static constexpr std::size_t kLookAhead = 16;
  static constexpr std::size_t kMinPadding = 2;

  void Settle(bool bit) {
    coded_.push_back(bit);
    coded_.insert(coded_.end(), owed_, !bit);
    owed_ = 0;
  }

  std::uint32_t low_ = 0;
  std::uint32_t high_ = kMask;
  std::size_t owed_ = 0;
  std::size_t shifts_ = 0;
  std::vector<bool> coded_;
  std::vector<std::pair<std::size_t, bool>> raw_;  // shifts before the bit, the bit
};

// The slot of `value` among `bases` (the last whose base is not above it), with its extra bits.
template <std::size_t N>
unsigned SlotOf(const std::array<std::uint32_t, N>& bases, std::uint32_t value) {
  return static_cast<unsigned>(std::upper_bound(bases.begin(), bases.end(), value) - bases.begin() -
                               1);
}

class TokenCoder {
 public:
  explicit TokenCoder(unsigned window_bits) : models_(window_bits) {}

  void Code(const QuantumToken& token, FrameEncoder& frame) {
    if (token.length == 0) {
      frame.Encode(models_.selector, token.literal / kLiteralsPerModel);
      frame.Encode(models_.literals[token.literal / kLiteralsPerModel], token.literal);
    } else if (token.length == 3) {
      frame.Encode(models_.selector, kSelectorMatch3);
      Position(models_.match3_positions, token.distance, frame);
    } else if (token.length == 4) {
      frame.Encode(models_.selector, kSelectorMatch4);
      Position(models_.match4_positions, token.distance, frame);
    } else if (token.length >= kMinLongMatch && token.length <= kMaxMatch) {
      frame.Encode(models_.selector, kSelectorLongMatch);
      const std::uint32_t length = token.length - kMinLongMatch;
      const unsigned slot = SlotOf(kLengthBase, length);
      frame.Encode(models_.long_lengths, slot);
      frame.Raw(length - kLengthBase[slot], kLengthExtra[slot]);
      Position(models_.long_positions, token.distance, frame);
    } else {
      throw std::invalid_argument("match length without a code");
    }
  }

 private:
  static void Position(AdaptiveModel& model, std::uint32_t distance, FrameEncoder& frame) {
    if (distance == 0 || distance > MaxDistance(model.size())) {
      throw std::invalid_argument("distance without a code");
    }
    const unsigned slot = SlotOf(kPositionBase, distance - 1);
    frame.Encode(model, slot);
    frame.Raw(distance - 1 - kPositionBase[slot], kPositionExtra[slot]);
  }

  QuantumModels models_;
};

std::uint32_t OutputOf(const QuantumToken& token) {
  return token.length == 0 ? 1 : token.length;
}

}  // namespace

std::vector<CraftedBlock> QuantumBlocks(std::span<const QuantumToken> tokens,
                                        unsigned window_bits) {
  std::uint64_t total = 0;
  for (const QuantumToken& token : tokens)
    total += OutputOf(token);
  TokenCoder coder(window_bits);
  std::vector<CraftedBlock> blocks;
  FrameEncoder frame;
  std::uint64_t produced = 0;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    coder.Code(tokens[i], frame);
    produced += OutputOf(tokens[i]);
    const std::uint64_t frame_start = blocks.size() * kFrameSize;
    if (produced >= frame_start + kFrameSize || i + 1 == tokens.size()) {
      const auto size = static_cast<std::uint16_t>(
          std::min<std::uint64_t>(kFrameSize, total - std::min(total, frame_start)));
      blocks.push_back({frame.Finish(), size, {}});
      frame = FrameEncoder();
    }
  }
  return blocks;
}

std::vector<QuantumToken> GreedyQuantumTokens(std::span<const std::uint8_t> data,
                                              unsigned window_bits) {
  constexpr unsigned kHashBits = 16;
  constexpr unsigned kMaxCandidates = 64;
  constexpr std::size_t kNone = SIZE_MAX;
  const std::uint32_t window = std::uint32_t{1} << window_bits;
  const QuantumModels models(window_bits);
  const std::uint32_t reach3 = MaxDistance(models.match3_positions.size());
  const std::uint32_t reach4 = MaxDistance(models.match4_positions.size());

  std::vector<std::size_t> head(std::size_t{1} << kHashBits, kNone);
  std::vector<std::size_t> previous(data.size(), kNone);
  const auto hash = [&](std::size_t at) {
    const std::uint32_t key = std::uint32_t{data[at]} | std::uint32_t{data[at + 1]} << 8 |
                              std::uint32_t{data[at + 2]} << 16;
    return (key * 2654435761u) >> (32 - kHashBits);
  };
  const auto insert = [&](std::size_t at) {
    if (at + 3 > data.size()) return;
    previous[at] = head[hash(at)];
    head[hash(at)] = at;
  };

  std::vector<QuantumToken> tokens;
  for (std::size_t at = 0; at < data.size();) {
    const std::size_t limit =
        std::min({std::size_t{kMaxMatch}, data.size() - at, kFrameSize - at % kFrameSize});
    std::uint32_t best_length = 0;
    std::uint32_t best_distance = 0;
    if (limit >= 3) {
      std::size_t candidate = head[hash(at)];
      for (unsigned tries = 0; candidate != kNone && tries < kMaxCandidates; ++tries) {
        const auto distance = static_cast<std::uint32_t>(at - candidate);
        if (distance > window) break;
        std::uint32_t length = 0;
        while (length < limit && data[candidate + length] == data[at + length])
          ++length;
        const bool coded = length >= kMinLongMatch || (length == 4 && distance <= reach4) ||
                           (length == 3 && distance <= reach3);
        if (coded && length > best_length) {
          best_length = length;
          best_distance = distance;
        }
        candidate = previous[candidate];
      }
    }
    if (best_length == 0) {
      tokens.push_back(Literal(data[at]));
      insert(at++);
      continue;
    }
    tokens.push_back(Match(best_length, best_distance));
    for (std::uint32_t i = 0; i < best_length; ++i)
      insert(at++);
  }
  return tokens;
}

Bytes ExpandTokens(std::span<const QuantumToken> tokens) {
  Bytes out;
  for (const QuantumToken& token : tokens) {
    if (token.length == 0) {
      out.push_back(token.literal);
      continue;
    }
    if (token.distance == 0 || token.distance > out.size()) {
      throw std::invalid_argument("match before the first byte");
    }
    for (std::uint32_t i = 0; i < token.length; ++i)
      out.push_back(out[out.size() - token.distance]);
  }
  return out;
}

}  // namespace codec_test
