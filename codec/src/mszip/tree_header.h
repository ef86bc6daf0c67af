// The header of a dynamic DEFLATE block: how many literal/length and distance codes it lists, the
// code-length code, then the code lengths of both trees as one sequence of code-length tokens.
//
// The sequence splits into runs of equal lengths, and a token never spans two runs (a repeat of
// the previous length needs that length just before it; zeros may also repeat the zero before
// them), so under a fixed code-length code the cheapest tokens of each run follow from a short
// recurrence on the run's length. The code-length code itself depends on the tokens: the encoder
// alternates between the two (cheapest tokens under a code, best code for those tokens) from
// several starting codes, and also chooses how many literal/length codes to list, since listing
// unused ones adds zeros that may join the distance lengths' leading zeros into a cheaper run.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "mszip/bit_writer.h"
#include "mszip/deflate_tables.h"

namespace codec::deflate {

struct CodeLengthToken {
  std::uint8_t symbol = 0;  // 0-15: a code length; 16, 17, 18: a repeat
  std::uint8_t extra = 0;   // a repeat's count minus the smallest count of its symbol
};

struct TreeHeader {
  std::uint32_t literal_length_count = 257;  // codes listed, 257-286
  std::uint32_t distance_count = 1;          // 1-30
  std::uint32_t code_length_count = 4;       // code-length code lengths listed, 4-19
  std::array<std::uint8_t, kCodeLengthSymbols> code_length_lengths{};
  std::vector<CodeLengthToken> tokens;
  std::uint32_t bits = 0;  // the whole header's size, from the three counts on
};

// The smallest header the encoder finds for these code lengths (286 and 30 of them, each tree
// using at least one symbol).
TreeHeader EncodeTreeHeader(std::span<const std::uint8_t> literal_length_lengths,
                            std::span<const std::uint8_t> distance_lengths);

void WriteTreeHeader(const TreeHeader& header, BitWriter& out);

}  // namespace codec::deflate
