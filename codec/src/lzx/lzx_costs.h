// What an LZX encoder needs to choose its tokens, trees and blocks without knowing the bit layout:
// the symbol counts of a block's tokens, trees built from them that every decoder takes, the bits
// a token costs under given trees, and the bits of a block's header and trees.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "lzx/lzx_format.h"
#include "lzx/lzx_tokens.h"

namespace codec {

struct LzxSymbolCounts {
  std::array<std::uint32_t, kLzxMaxMainSymbols> main{};
  std::array<std::uint32_t, kLzxLengthSymbols> length{};
  std::array<std::uint32_t, kLzxAlignedSymbols> aligned{};
};

// Adds the symbols of `tokens` (valid ones, as LzxWriter checks them) coded in a block of `type`.
void CountLzxSymbols(std::span<const LzxToken> tokens, LzxBlockType type, LzxSymbolCounts& counts);

// Tree lengths of least cost for `counts` within the limits of the format (16 bits, 7 for the
// aligned tree), in the shapes decoders take: a tree with one used symbol gets a second code,
// an aligned tree with none gets eight codes of three bits; an unused length tree stays empty.
LzxTreeLengths BuildLzxTrees(const LzxSymbolCounts& counts, unsigned window_bits);

// The bits `token` costs in a block of `type` with trees `lengths` (which must code its symbols).
std::uint32_t LzxTokenBits(const LzxToken& token, LzxBlockType type, const LzxTreeLengths& lengths);

// The bits LzxWriter::WriteBlock() spends on a block's header and trees before its tokens, the
// trees being sent against `previous` (LzxWriter::trees() before the block).
std::uint32_t LzxBlockHeaderBits(LzxBlockType type, const LzxTreeLengths& previous,
                                 const LzxTreeLengths& lengths, unsigned window_bits);

}  // namespace codec
