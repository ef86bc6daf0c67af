// The encoder's side of tree updates: a tree's code lengths sent as differences from its previous
// lengths, through a pretree chosen for them.
#pragma once

#include <cstdint>
#include <span>

#include "bits/word_bit_writer.h"

namespace codec {

// Writes `lengths` (each 0 to 16) against `previous` (same size): the pretree's lengths, then the
// pretree's symbols. Runs of zeros and of other equal lengths use the run symbols.
void WriteLzxTree(WordBitWriter& bits, std::span<const std::uint8_t> previous,
                  std::span<const std::uint8_t> lengths);

// The bits WriteLzxTree() takes for the same update.
std::uint32_t LzxTreeBits(std::span<const std::uint8_t> previous,
                          std::span<const std::uint8_t> lengths);

}  // namespace codec
