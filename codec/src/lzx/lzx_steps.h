// The encoder's parse as distances, before the repeated offsets that code them are known: a parse
// made ahead of the blocks before it sees only the distances, and the writer's repeated offsets
// decide at the end which matches are repeats.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "lzx/lzx_tokens.h"

namespace codec {

// A literal (length 1, distance 0) or a match of `length` bytes `distance` back.
struct LzxStep {
  std::uint32_t length = 1;
  std::uint32_t distance = 0;
};

// The formatted offset of a match `distance` back: the first repeated offset holding it, else the
// plain offset. Repeated offsets of 0 stand for distances not known, and match none.
constexpr std::uint32_t FormattedOffset(const LzxRepeated& repeated, std::uint32_t distance) {
  for (std::uint32_t index = 0; index < kLzxRepeatedOffsets; ++index)
    if (repeated[index] == distance) return index;
  return LzxDistance(distance);
}

// Appends the tokens of `steps`, which give `bytes`, coded from the repeated offsets `repeated`;
// `repeated` follows them.
void AppendTokens(std::span<const LzxStep> steps, std::span<const std::uint8_t> bytes,
                  LzxRepeated& repeated, std::vector<LzxToken>& tokens);

}  // namespace codec
