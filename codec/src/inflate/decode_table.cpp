#include "inflate/decode_table.h"

#include <array>

namespace codec::deflate {
namespace {

constexpr unsigned kMaxBits = 15;
constexpr std::size_t kMaxSymbols = 288;

std::uint32_t Reversed(std::uint32_t code, unsigned length) {
  std::uint32_t reversed = 0;
  for (unsigned i = 0; i < length; ++i) {
    reversed = (reversed << 1) | (code & 1u);
    code >>= 1;
  }
  return reversed;
}

// Writes `entry` at every index whose low `length` bits are `code`, from `first`, in steps
// of 2^length up to `size`.
void Spread(std::span<TableEntry> table, std::size_t first, std::uint32_t code, unsigned length,
            std::size_t size, TableEntry entry) {
  for (std::size_t i = code; i < size; i += std::size_t{1} << length)
    table[first + i] = entry;
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

  // Canonical codes: by length, then by symbol; stored bit-reversed as the stream gives them.
  std::array<std::uint32_t, kMaxBits + 1> next_code{};
  for (unsigned length = 1; length <= kMaxBits; ++length)
    next_code[length] = (next_code[length - 1] + count[length - 1]) << 1;
  std::array<std::uint16_t, kMaxSymbols> codes{};
  const std::size_t root_size = std::size_t{1} << root_bits;
  std::array<std::uint8_t, std::size_t{1} << kLiteralLengthRootBits> longest{};  // by root index
  for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
    const unsigned length = lengths[symbol];
    if (length == 0) continue;
    codes[symbol] = static_cast<std::uint16_t>(Reversed(next_code[length]++, length));
    const std::size_t root = codes[symbol] & (root_size - 1);
    if (length > root_bits && length > longest[root])
      longest[root] = static_cast<std::uint8_t>(length);
  }

  for (std::size_t i = 0; i < root_size; ++i)
    table[i] = kInvalidEntry | 1u;
  std::size_t next_free = root_size;
  for (std::size_t root = 0; root < root_size; ++root) {
    if (longest[root] == 0) continue;
    const unsigned index_bits = longest[root] - root_bits;
    const std::size_t size = std::size_t{1} << index_bits;
    if (next_free + size > table.size()) return false;  // cannot happen: see the table sizes
    table[root] = MakeMeaning(kSubtableEntry, index_bits, static_cast<std::uint32_t>(next_free));
    next_free += size;
  }
  for (std::size_t symbol = 0; symbol < lengths.size(); ++symbol) {
    const unsigned length = lengths[symbol];
    if (length == 0) continue;
    const TableEntry entry =
        meanings[symbol] | length | ((meanings[symbol] & kLiteralEntry) != 0 ? length << 8 : 0);
    if (length <= root_bits) {
      Spread(table, 0, codes[symbol], length, root_size, entry);
    } else {
      const TableEntry pointer = table[codes[symbol] & (root_size - 1)];
      Spread(table, Value(pointer), codes[symbol] >> root_bits, length - root_bits,
             std::size_t{1} << ExtraBits(pointer), entry);
    }
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
               2u << 5 | (first_bits + CodeBits(second));
  }
}

}  // namespace codec::deflate
