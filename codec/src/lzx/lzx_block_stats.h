// What the choice of a block's type and trees needs to know of its tokens: their symbols, as an
// aligned block codes them (a verbatim block codes the same main and length symbols), and their
// offsets' extra bits.
#pragma once

#include <cstdint>
#include <span>

#include "lzx/lzx_costs.h"
#include "lzx/lzx_tokens.h"

namespace codec {

struct LzxBlockStats {
  LzxSymbolCounts counts;
  std::uint64_t extra_bits = 0;       // of the offsets, all plain as in a verbatim block
  std::uint32_t aligned_offsets = 0;  // offsets whose low three bits an aligned block codes
  std::uint32_t size = 0;             // bytes of output

  void Add(const LzxToken& token) {
    const LzxTokenCode code = CodeOf(token, LzxBlockType::kAligned);
    ++counts.main[code.main_symbol];
    if (code.has_length_symbol) ++counts.length[code.length_symbol];
    extra_bits += code.plain_bits;
    if (code.has_aligned_symbol) {
      ++counts.aligned[code.aligned_symbol];
      ++aligned_offsets;
      extra_bits += kLzxAlignedBits;
    }
    size += token.size();
  }
  void Add(const LzxBlockStats& other) {
    for (std::size_t i = 0; i < counts.main.size(); ++i)
      counts.main[i] += other.counts.main[i];
    for (std::size_t i = 0; i < counts.length.size(); ++i)
      counts.length[i] += other.counts.length[i];
    for (std::size_t i = 0; i < counts.aligned.size(); ++i)
      counts.aligned[i] += other.counts.aligned[i];
    extra_bits += other.extra_bits;
    aligned_offsets += other.aligned_offsets;
    size += other.size;
  }
  void Add(std::span<const LzxToken> tokens) {
    for (const LzxToken& token : tokens)
      Add(token);
  }
};

// The bits of a block's tokens (its header left out) coded as `type` with trees `lengths`.
std::uint64_t LzxDataBits(const LzxBlockStats& stats, LzxBlockType type,
                          const LzxTreeLengths& lengths);

}  // namespace codec
