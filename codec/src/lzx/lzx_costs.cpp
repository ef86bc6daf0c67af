#include "lzx/lzx_costs.h"

#include <algorithm>

#include "bits/code_lengths.h"
#include "bits/huffman_table.h"
#include "lzx/lzx_tree_writer.h"

namespace codec {

void CountLzxSymbols(std::span<const LzxToken> tokens, LzxBlockType type, LzxSymbolCounts& counts) {
  for (const LzxToken& token : tokens) {
    const LzxTokenCode code = CodeOf(token, type);
    ++counts.main[code.main_symbol];
    if (code.has_length_symbol) ++counts.length[code.length_symbol];
    if (code.has_aligned_symbol) ++counts.aligned[code.aligned_symbol];
  }
}

LzxTreeLengths BuildLzxTrees(const LzxSymbolCounts& counts, unsigned window_bits) {
  LzxTreeLengths lengths;
  const unsigned main_symbols = LzxMainSymbols(window_bits);
  BuildCompleteCodeLengths(std::span(counts.main).first(main_symbols), kMaxHuffmanCodeLength,
                           std::span(lengths.main).first(main_symbols));
  BuildCompleteCodeLengths(counts.length, kMaxHuffmanCodeLength, lengths.length);
  if (std::ranges::all_of(counts.aligned, [](std::uint32_t n) { return n == 0; })) {
    lengths.aligned.fill(kLzxAlignedBits);
  } else {
    BuildCompleteCodeLengths(counts.aligned, kLzxMaxAlignedLength, lengths.aligned);
  }
  return lengths;
}

std::uint32_t LzxTokenBits(const LzxToken& token, LzxBlockType type,
                           const LzxTreeLengths& lengths) {
  const LzxTokenCode code = CodeOf(token, type);
  std::uint32_t bits = lengths.main[code.main_symbol] + code.plain_bits;
  if (code.has_length_symbol) bits += lengths.length[code.length_symbol];
  if (code.has_aligned_symbol) bits += lengths.aligned[code.aligned_symbol];
  return bits;
}

std::uint32_t LzxBlockHeaderBits(LzxBlockType type, const LzxTreeLengths& previous,
                                 const LzxTreeLengths& lengths, unsigned window_bits) {
  const unsigned main_symbols = LzxMainSymbols(window_bits);
  const auto main = std::span(lengths.main).first(main_symbols);
  const auto before = std::span(previous.main).first(main_symbols);
  std::uint32_t bits = kLzxBlockTypeBits + kLzxBlockSizeBits +
                       LzxTreeBits(before.first(kLzxLiterals), main.first(kLzxLiterals)) +
                       LzxTreeBits(before.subspan(kLzxLiterals), main.subspan(kLzxLiterals)) +
                       LzxTreeBits(previous.length, lengths.length);
  if (type == LzxBlockType::kAligned) bits += kLzxAlignedSymbols * kLzxAlignedLengthBits;
  return bits;
}

}  // namespace codec
