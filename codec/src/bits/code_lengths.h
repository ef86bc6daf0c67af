// Length-limited Huffman code lengths for the encoders, and the canonical codes they give.
#pragma once

#include <cstdint>
#include <span>

namespace codec {

// Fills `lengths` (one per symbol) with the code lengths of smallest total cost sum(freq * length)
// that keep every length within `max_length` (package-merge). Symbols of frequency 0 get length 0.
// A single used symbol gets length 1, so that it still has a code to write. `max_length` must
// leave room for every used symbol: (1 << max_length) >= number of used symbols.
void BuildCodeLengths(std::span<const std::uint32_t> frequencies, unsigned max_length,
                      std::span<std::uint8_t> lengths);

// Whether `lengths` (0 = unused symbol, each at most `max_length`) describe a prefix code that a
// decoder may accept: one that fills its code space exactly, or, as encoders write them for data
// using one symbol or none, a single used symbol or no used symbol at all. Over-subscribed lengths
// describe no code; any other incomplete code leaves bit strings that damaged data could read.
bool IsAcceptedCode(std::span<const std::uint8_t> lengths, unsigned max_length);

// The canonical codes of `lengths`: codes given out by increasing length, and by symbol within a
// length, the first code of each length being all zeros. Codes are right-aligned in `codes`.
void CanonicalCodes(std::span<const std::uint8_t> lengths, std::span<std::uint16_t> codes);

}  // namespace codec
