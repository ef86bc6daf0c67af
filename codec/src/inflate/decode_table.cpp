#include "inflate/decode_table.h"

#include <algorithm>
#include <array>

namespace codec::deflate {
namespace {

constexpr unsigned kMaxBits = 15;
constexpr std::size_t kMaxSymbols = 288;

// The low `length` bits of `code` in reverse order.
std::uint32_t Reversed(std::uint32_t code, unsigned length) {
  code = ((code & 0x5555u) << 1) | ((code >> 1) & 0x5555u);
  code = ((code & 0x3333u) << 2) | ((code >> 2) & 0x3333u);
  code = ((code & 0x0F0Fu) << 4) | ((code >> 4) & 0x0F0Fu);
  code = ((code & 0x00FFu) << 8) | ((code >> 8) & 0x00FFu);
  return code >> (16 - length);
}

// Writes `entry` at every index of a table of `size` entries whose low `length` bits are `code`.
void Spread(TableEntry* table, std::size_t size, std::uint32_t code, unsigned length,
            TableEntry entry) {
  for (std::size_t i = code; i < size; i += std::size_t{1} << length)
    table[i] = entry;
}

// The index bits of the subtable whose first code is `length` long: the codes that share its root
// prefix come next in canonical order, shortest first, until they fill its part of the code space.
unsigned SubtableBits(const std::array<std::uint32_t, kMaxBits + 1>& left, unsigned length,
                      unsigned root_bits) {
  unsigned bits = length - root_bits;
  std::int32_t space = std::int32_t{1} << bits;
  for (unsigned at = length; at < kMaxBits; ++at) {
    space -= static_cast<std::int32_t>(left[at]);
    if (space <= 0) break;
    space <<= 1;
    ++bits;
  }
  return bits;
}

}  // namespace

bool BuildDecodeTable(std::span<const std::uint8_t> lengths, std::span<const TableEntry> meanings,
                      unsigned root_bits, Sparse sparse, std::span<TableEntry> table) {
  std::array<std::uint32_t, kMaxBits + 1> count{};
  for (const std::uint8_t length : lengths)
    ++count[length];
  count[0] = 0;
  std::int32_t unused = 1;  // code space left at the current length
  std::uint32_t used = 0;
  for (unsigned length = 1; length <= kMaxBits; ++length) {
    unused = unused * 2 - static_cast<std::int32_t>(count[length]);
    if (unused < 0) return false;
    used += count[length];
  }
  if (unused > 0 && !(sparse == Sparse::kAllowed && (used == 0 || (used == 1 && count[1] == 1))))
    return false;

  // The symbols in canonical order: by code length, then by symbol.
  std::array<std::uint32_t, kMaxBits + 2> first{};
  for (unsigned length = 1; length <= kMaxBits; ++length)
    first[length + 1] = first[length] + count[length];
  std::array<std::uint16_t, kMaxSymbols> sorted;
  for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
    if (lengths[symbol] != 0) sorted[first[lengths[symbol]]++] = static_cast<std::uint16_t>(symbol);
  }

  const std::size_t root_size = std::size_t{1} << root_bits;
  if (unused > 0) std::fill_n(table.begin(), root_size, kInvalidEntry | 1u);
  std::array<std::uint32_t, kMaxBits + 1> left = count;  // long codes not yet placed
  std::uint32_t code = 0;                                // the next code, read left to right
  unsigned code_length = 0;
  std::size_t subtable_root = root_size;  // the root index of the subtable being filled
  std::size_t subtable = 0;
  std::size_t next_free = root_size;
  for (std::uint32_t i = 0; i < used; ++i) {
    const std::uint16_t symbol = sorted[i];
    const unsigned length = lengths[symbol];
    code <<= length - code_length;
    code_length = length;
    const std::uint32_t reversed = Reversed(code++, length);
    const TableEntry meaning = meanings[symbol];
    const TableEntry entry = (meaning & kLiteralEntry) != 0
                                 ? meaning | length | length << 8
                                 : meaning | (length + ExtraBits(meaning));
    if (length <= root_bits) {
      Spread(table.data(), root_size, reversed, length, entry);
      continue;
    }
    // `left` still counts this code.
    if ((reversed & (root_size - 1)) != subtable_root) {
      subtable_root = reversed & (root_size - 1);
      const unsigned bits = SubtableBits(left, length, root_bits);
      if (next_free + (std::size_t{1} << bits) > table.size()) return false;  // see the sizes
      table[subtable_root] =
          MakeMeaning(kSubtableEntry, bits, static_cast<std::uint32_t>(next_free));
      subtable = next_free;
      next_free += std::size_t{1} << bits;
    }
    Spread(table.data() + subtable, std::size_t{1} << ExtraBits(table[subtable_root]),
           reversed >> root_bits, length - root_bits, entry);
    --left[length];
  }
  return true;
}

void PairLiterals(std::span<TableEntry> table) {
  // Downwards: the entry that follows index i is at i >> first, not yet paired itself.
  constexpr std::size_t kRoot = std::size_t{1} << kLiteralLengthRootBits;
  for (std::size_t i = kRoot; i-- > 0;) {
    const TableEntry first = table[i];
    if ((first & kLiteralEntry) == 0) continue;
    const unsigned first_bits = CodeBits(first);
    const TableEntry second = table[i >> first_bits];
    if ((second & kLiteralEntry) == 0 || first_bits + CodeBits(second) > kLiteralLengthRootBits)
      continue;
    table[i] = (Value(second) << 24) | (Value(first) << 16) | kLiteralEntry | first_bits << 8 |
               2u << 6 | (first_bits + CodeBits(second));
  }
}

}  // namespace codec::deflate
