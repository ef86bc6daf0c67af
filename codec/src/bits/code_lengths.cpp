#include "bits/code_lengths.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>
#include <utility>
#include <vector>

namespace codec {
namespace {

// One item of package-merge: a leaf (symbol) or a package of two items of the level below, with
// the number of times each symbol appears in it, counted in `leaves` of the final selection.
struct Item {
  std::uint64_t weight = 0;
  std::int32_t symbol = -1;  // a leaf's symbol, or -1 for a package
  std::int32_t left = -1;    // a package's two items, as indices into the level below
  std::int32_t right = -1;
};

// Adds one to the length of every symbol under `index` of `level`.
void CountLeaves(const std::vector<std::vector<Item>>& levels, std::size_t level,
                 std::int32_t index, std::span<std::uint8_t> lengths) {
  // An explicit stack: a package holds at most 2^level items, walked without recursion.
  std::vector<std::pair<std::size_t, std::int32_t>> stack;
  stack.emplace_back(level, index);
  while (!stack.empty()) {
    const std::pair<std::size_t, std::int32_t> top = stack[stack.size() - 1];
    stack.pop_back();
    const Item& item = levels[top.first][static_cast<std::size_t>(top.second)];
    if (item.symbol >= 0) {
      ++lengths[static_cast<std::size_t>(item.symbol)];
    } else {
      stack.emplace_back(top.first - 1, item.left);
      stack.emplace_back(top.first - 1, item.right);
    }
  }
}

}  // namespace

void BuildCodeLengths(std::span<const std::uint32_t> frequencies, unsigned max_length,
                      std::span<std::uint8_t> lengths) {
  std::fill(lengths.begin(), lengths.end(), std::uint8_t{0});
  std::vector<Item> leaves;
  for (std::size_t symbol = 0; symbol < frequencies.size(); ++symbol) {
    if (frequencies[symbol] != 0) {
      leaves.push_back({frequencies[symbol], static_cast<std::int32_t>(symbol), -1, -1});
    }
  }
  if (leaves.empty()) return;
  if (leaves.size() == 1) {
    lengths[static_cast<std::size_t>(leaves[0].symbol)] = 1;
    return;
  }
  std::stable_sort(leaves.begin(), leaves.end(),
                   [](const Item& a, const Item& b) { return a.weight < b.weight; });

  // levels[0] is the deepest level (length max_length): the leaves alone. Each level above merges
  // the leaves with the packages of pairs of the level below.
  std::vector<std::vector<Item>> levels;
  levels.reserve(max_length);
  levels.push_back(leaves);
  for (std::size_t level = 1; level < max_length; ++level) {
    const std::vector<Item>& below = levels.back();
    std::vector<Item> packages;
    for (std::size_t i = 0; i + 1 < below.size(); i += 2) {
      packages.push_back({below[i].weight + below[i + 1].weight, -1, static_cast<std::int32_t>(i),
                          static_cast<std::int32_t>(i + 1)});
    }
    std::vector<Item> merged;
    merged.reserve(leaves.size() + packages.size());
    std::merge(leaves.begin(), leaves.end(), packages.begin(), packages.end(),
               std::back_inserter(merged),
               [](const Item& a, const Item& b) { return a.weight < b.weight; });
    levels.push_back(std::move(merged));
  }
  // The 2n - 2 cheapest items of the top level; each time a symbol appears under them, its code
  // is one bit longer.
  const std::size_t take = 2 * leaves.size() - 2;
  const std::vector<Item>& top = levels.back();
  for (std::size_t i = 0; i < take && i < top.size(); ++i) {
    CountLeaves(levels, levels.size() - 1, static_cast<std::int32_t>(i), lengths);
  }
}

void BuildCompleteCodeLengths(std::span<const std::uint32_t> frequencies, unsigned max_length,
                              std::span<std::uint8_t> lengths) {
  BuildCodeLengths(frequencies, max_length, lengths);
  if (lengths.size() > 1 && std::ranges::count(lengths, std::uint8_t{0}) + 1 ==
                                static_cast<std::ptrdiff_t>(lengths.size())) {
    lengths[lengths[0] == 0 ? 0 : 1] = 1;
  }
}

bool IsAcceptedCode(std::span<const std::uint8_t> lengths, unsigned max_length,
                    IncompleteCodes allowed) {
  std::int64_t left = std::int64_t{1} << max_length;  // code space still free, in deepest codes
  std::size_t used = 0;
  for (const std::uint8_t length : lengths) {
    if (length > max_length) return false;
    if (length == 0) continue;
    left -= std::int64_t{1} << (max_length - length);
    ++used;
  }
  if (left == 0) return true;
  if (left < 0) return false;
  switch (allowed) {
    case IncompleteCodes::kNone:
      return false;
    case IncompleteCodes::kEmpty:
      return used == 0;
    case IncompleteCodes::kEmptyOrSingle:
      return used <= 1;
  }
  return false;
}

void CanonicalCodes(std::span<const std::uint8_t> lengths, std::span<std::uint16_t> codes) {
  constexpr std::size_t kLongest = 32;
  std::array<std::uint32_t, kLongest + 1> count{};
  for (const std::uint8_t length : lengths)
    ++count[length];
  count[0] = 0;
  std::array<std::uint32_t, kLongest + 1> next{};
  std::uint32_t code = 0;
  for (std::size_t length = 1; length <= kLongest; ++length) {
    code = (code + count[length - 1]) << 1;
    next[length] = code;
  }
  for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
    const std::uint8_t length = lengths[symbol];
    codes[symbol] = length == 0 ? 0 : static_cast<std::uint16_t>(next[length]++);
  }
}

}  // namespace codec
