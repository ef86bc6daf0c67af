#include "lzx/lzx_tree_writer.h"

#include <algorithm>
#include <array>
#include <vector>

#include "bits/code_lengths.h"
#include "lzx/lzx_format.h"

namespace codec {
namespace {

struct PretreeItem {
  std::uint8_t symbol = 0;
  std::uint8_t extra = 0;  // the run symbols' extra bits
};

unsigned Difference(std::uint8_t previous, std::uint8_t length) {
  return (previous + kLzxLengthModulus - length) % kLzxLengthModulus;
}

std::size_t RunLength(std::span<const std::uint8_t> lengths, std::size_t at) {
  std::size_t end = at + 1;
  while (end < lengths.size() && lengths[end] == lengths[at])
    ++end;
  return end - at;
}

std::vector<PretreeItem> Plan(std::span<const std::uint8_t> previous,
                              std::span<const std::uint8_t> lengths) {
  std::vector<PretreeItem> items;
  auto run = [&](const LzxRunCode& code, std::size_t count) {
    const std::size_t taken = std::min<std::size_t>(count, code.longest());
    items.push_back(
        {static_cast<std::uint8_t>(code.symbol), static_cast<std::uint8_t>(taken - code.base)});
    return taken;
  };
  for (std::size_t at = 0; at < lengths.size();) {
    if (lengths[at] == 0) {
      const std::size_t zeros = RunLength(lengths, at);
      if (zeros >= kLzxLongZeros.base) {
        at += run(kLzxLongZeros, zeros);
        continue;
      }
      if (zeros >= kLzxShortZeros.base) {
        at += run(kLzxShortZeros, zeros);
        continue;
      }
    }
    const std::size_t same = RunLength(lengths, at);
    const auto difference = static_cast<std::uint8_t>(Difference(previous[at], lengths[at]));
    // The run's length is sent against the previous length of its first element only.
    if (same >= kLzxSameLengths.base) {
      at += run(kLzxSameLengths, same);
      items.push_back({difference, 0});
      continue;
    }
    items.push_back({difference, 0});
    ++at;
  }
  return items;
}

// A tree update as sent: its pretree's lengths and its items.
struct PlannedTree {
  std::vector<PretreeItem> items;
  std::array<std::uint8_t, kLzxPretreeSymbols> pretree{};
};

PlannedTree PlanTree(std::span<const std::uint8_t> previous,
                     std::span<const std::uint8_t> lengths) {
  PlannedTree tree{Plan(previous, lengths), {}};
  std::array<std::uint32_t, kLzxPretreeSymbols> counts{};
  for (const PretreeItem& item : tree.items)
    ++counts[item.symbol];
  BuildCompleteCodeLengths(counts, (1u << kLzxPretreeLengthBits) - 1, tree.pretree);
  return tree;
}

unsigned ExtraBits(std::uint8_t symbol) {
  for (const LzxRunCode& code : {kLzxShortZeros, kLzxLongZeros, kLzxSameLengths}) {
    if (symbol == code.symbol) return code.bits;
  }
  return 0;
}

}  // namespace

void WriteLzxTree(WordBitWriter& bits, std::span<const std::uint8_t> previous,
                  std::span<const std::uint8_t> lengths) {
  const PlannedTree tree = PlanTree(previous, lengths);
  std::array<std::uint16_t, kLzxPretreeSymbols> codes{};
  CanonicalCodes(tree.pretree, codes);
  for (const std::uint8_t length : tree.pretree)
    bits.Put(length, kLzxPretreeLengthBits);
  for (const PretreeItem& item : tree.items) {
    bits.Put(codes[item.symbol], tree.pretree[item.symbol]);
    bits.Put(item.extra, ExtraBits(item.symbol));
  }
}

std::uint32_t LzxTreeBits(std::span<const std::uint8_t> previous,
                          std::span<const std::uint8_t> lengths) {
  const PlannedTree tree = PlanTree(previous, lengths);
  std::uint32_t bits = kLzxPretreeSymbols * kLzxPretreeLengthBits;
  for (const PretreeItem& item : tree.items)
    bits += tree.pretree[item.symbol] + ExtraBits(item.symbol);
  return bits;
}

}  // namespace codec
