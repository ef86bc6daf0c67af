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

// Same, but for a single used symbol, which gets a second symbol beside it (the first other one)
// so that the code fills its space: some formats refuse any other code.
void BuildCompleteCodeLengths(std::span<const std::uint32_t> frequencies, unsigned max_length,
                              std::span<std::uint8_t> lengths);

// The incomplete codes a format takes besides complete ones: encoders write some for data that
// uses one symbol or none.
enum class IncompleteCodes : std::uint8_t {
  kNone,
  kEmpty,          // no used symbol
  kEmptyOrSingle,  // no used symbol, or one
};

// Whether `lengths` (0 = unused symbol, each at most `max_length`) describe a prefix code that a
// decoder may accept: one that fills its code space exactly, or an incomplete one of the shapes
// `allowed`. Over-subscribed lengths describe no code; any other incomplete code leaves bit
// strings that damaged data could read as something.
bool IsAcceptedCode(std::span<const std::uint8_t> lengths, unsigned max_length,
                    IncompleteCodes allowed);

// The canonical codes of `lengths`: codes given out by increasing length, and by symbol within a
// length, the first code of each length being all zeros. Codes are right-aligned in `codes`.
void CanonicalCodes(std::span<const std::uint8_t> lengths, std::span<std::uint16_t> codes);

}  // namespace codec
