#include "lzx/lzx_parser.h"

#include <algorithm>
#include <limits>

#include "lz/common_length.h"

namespace codec {

float LzxParser::Run(const LzxMatchTable& table, std::span<const std::uint8_t> bytes,
                     std::uint32_t from, std::uint32_t to, const LzxCostModel& model,
                     std::uint32_t long_length, LzxRepeated& repeated,
                     std::vector<LzxStep>& steps) {
  float cost = 0;
  for (std::uint32_t start = from; start < to;) {
    const auto frame_end = static_cast<std::uint32_t>((start / kLzxFrameSize + 1) * kLzxFrameSize);
    const std::uint32_t end = std::min(to, frame_end);
    cost += RunFrame(table, bytes, start, end, model, long_length, repeated, steps);
    start = end;
  }
  return cost;
}

void LzxParser::Follow(std::uint32_t at) {
  const Node& node = nodes_[at];
  LzxRepeated& repeated = repeated_[at];
  repeated = repeated_[at - node.length];
  if (node.distance != 0) UpdateRepeated(repeated, FormattedOffset(repeated, node.distance));
}

float LzxParser::RunFrame(const LzxMatchTable& table, std::span<const std::uint8_t> bytes,
                          std::uint32_t from, std::uint32_t to, const LzxCostModel& model,
                          std::uint32_t long_length, LzxRepeated& repeated,
                          std::vector<LzxStep>& steps) {
  const std::uint32_t count = to - from;
  constexpr float kUnreached = std::numeric_limits<float>::infinity();
  nodes_.assign(std::size_t{count} + 1, {kUnreached, 0, 0});
  repeated_.resize(std::size_t{count} + 1);
  nodes_[0].cost = 0;
  repeated_[0] = repeated;
  const auto relax = [this](std::uint32_t at, float cost, std::uint32_t length,
                            std::uint32_t distance) {
    Node& node = nodes_[at];
    if (cost < node.cost) node = {cost, length, distance};
  };

  std::uint32_t covered = 0;  // positions before this one lie inside a long match taken whole
  for (std::uint32_t i = 0; i < count; ++i) {
    const float here = nodes_[i].cost;
    if (i < covered || here == kUnreached) continue;
    if (i > 0) Follow(i);
    const LzxRepeated& offsets = repeated_[i];
    const std::uint32_t position = from + i;
    const std::uint8_t* data = bytes.data() + position;
    const std::uint32_t limit = std::min(kLzxMaxMatch, count - i);

    // The repeats' lengths, each distinct offset once.
    std::array<std::uint32_t, kLzxRepeatedOffsets> repeat_length{};
    std::uint32_t longest = 0;
    std::uint32_t longest_slot = 0;
    std::uint32_t longest_distance = 0;
    for (std::uint32_t k = 0; k < kLzxRepeatedOffsets && limit >= kLzxMinMatch; ++k) {
      const std::uint32_t distance = offsets[k];
      if (distance == 0 || distance > position ||
          std::find(offsets.begin(), offsets.begin() + k, distance) != offsets.begin() + k) {
        continue;
      }
      repeat_length[k] = lz::CommonLength(data, data - distance, 0, limit);
      if (repeat_length[k] > longest) {
        longest = repeat_length[k];
        longest_slot = k;
        longest_distance = distance;
      }
    }
    const auto matches = table.At(position);
    if (!matches.empty()) {
      const std::uint32_t length = std::min(matches.back().length(), limit);
      const std::uint32_t distance = matches.back().distance();
      if (length > longest && std::ranges::find(offsets, distance) == offsets.end()) {
        longest = length;
        longest_slot = LzxSlotOf(LzxDistance(distance));
        longest_distance = distance;
      }
    }
    if (longest >= long_length) {
      const float offset =
          longest_slot < kLzxRepeatedOffsets ? 0 : model.Offset(LzxDistance(longest_distance));
      relax(i + longest, here + offset + model.Match(longest_slot, longest), longest,
            longest_distance);
      covered = i + longest;
      continue;
    }

    relax(i + 1, here + model.Literal(*data), 1, 0);
    for (std::uint32_t k = 0; k < kLzxRepeatedOffsets; ++k) {
      for (std::uint32_t length = kLzxMinMatch; length <= repeat_length[k]; ++length)
        relax(i + length, here + model.Match(k, length), length, offsets[k]);
    }
    std::uint32_t shorter = kLzxMinMatch - 1;
    for (const LzxMatchTable::Entry entry : matches) {
      const std::uint32_t length = std::min(entry.length(), limit);
      if (length <= shorter) break;
      const std::uint32_t distance = entry.distance();
      // A distance that a repeat holds was priced as that repeat, at every length it reaches.
      if (std::ranges::find(offsets, distance) == offsets.end()) {
        const std::uint32_t offset = LzxDistance(distance);
        const unsigned slot = LzxSlotOf(offset);
        const float base = here + model.Offset(offset);
        for (std::uint32_t n = shorter + 1; n <= length; ++n)
          relax(i + n, base + model.Match(slot, n), n, distance);
      }
      shorter = length;
    }
  }

  Follow(count);
  repeated = repeated_[count];
  trace_.clear();
  for (std::uint32_t at = count; at > 0; at -= nodes_[at].length)
    trace_.push_back({nodes_[at].length, nodes_[at].distance});
  steps.insert(steps.end(), trace_.rbegin(), trace_.rend());
  return nodes_[count].cost;
}

}  // namespace codec
