// Quantum streams for the tests, the only Quantum maker the project has: a token list (or data,
// through a greedy match search) coded as the frames of one folder, one data block per frame.
// What it writes is checked against both independent decoders.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "support/crafted_cabinet.h"

namespace codec_test {

struct QuantumToken {
  std::uint32_t length = 0;    // 0 for a literal, else 3..259
  std::uint32_t distance = 0;  // of a match: 1 up to what its model reaches
  std::uint8_t literal = 0;
};

inline QuantumToken Literal(std::uint8_t byte) {
  return {0, 0, byte};
}
inline QuantumToken Match(std::uint32_t length, std::uint32_t distance) {
  return {length, distance, 0};
}

// Codes `tokens` in frames of 32 KiB of output, the last one shorter. A frame ends after the token
// that reaches its end, so a match across that end gives a stream that decoders refuse, as does a
// match reaching before the first byte. Throws std::invalid_argument for a token that has no code
// in a window of `window_bits`: a length outside 3..259, a distance of 0 or past what the model of
// its length reaches (2^window_bits, at most 4 KiB for 3 bytes, 256 KiB for 4).
std::vector<CraftedBlock> QuantumBlocks(std::span<const QuantumToken> tokens, unsigned window_bits);

// At each position the longest match within the window and the frame that has a code, the nearest
// among equals, else a literal.
std::vector<QuantumToken> GreedyQuantumTokens(std::span<const std::uint8_t> data,
                                              unsigned window_bits);

// The bytes that `tokens` stand for. Throws std::invalid_argument for a match before the first.
Bytes ExpandTokens(std::span<const QuantumToken> tokens);

}  // namespace codec_test
