#include "inflate/dynamic_header.h"

#include <algorithm>
#include <array>

#include "inflate/symbol_meanings.h"
#include "mszip/deflate_tables.h"

namespace codec::deflate {
namespace {

constexpr std::uint32_t kLiteralCountBase = 257;
constexpr std::uint32_t kDistanceCountBase = 1;
constexpr std::uint32_t kCodeLengthCountBase = 4;

using CodeLengthTable = std::array<TableEntry, kCodeLengthTableSize>;

// Reads the code lengths of both codes, as one sequence that repeats may run across.
Outcome ReadCodeLengths(LsbBitReader& reader, const CodeLengthTable& table,
                        std::span<std::uint8_t> lengths) {
  std::size_t filled = 0;
  while (filled < lengths.size()) {
    reader.Refill();
    const TableEntry entry = table[reader.Peek() & (kCodeLengthTableSize - 1)];
    reader.Drop(CodeBits(entry));
    if (reader.Overran()) return Outcome::kOutOfInput;
    const std::uint32_t symbol = Value(entry);
    if (symbol < kRepeatPrevious) {
      lengths[filled++] = static_cast<std::uint8_t>(symbol);
      continue;
    }
    std::uint8_t value = 0;
    std::size_t repeat = 0;
    if (symbol == kRepeatPrevious) {
      repeat = 3 + reader.Take(2);
      if (reader.Overran()) return Outcome::kOutOfInput;
      if (filled == 0) return Outcome::kCorrupt;
      value = lengths[filled - 1];
    } else {
      repeat = symbol == kShortZeros ? 3 + reader.Take(3) : 11 + reader.Take(7);
      if (reader.Overran()) return Outcome::kOutOfInput;
    }
    if (repeat > lengths.size() - filled) return Outcome::kCorrupt;
    std::fill_n(lengths.begin() + static_cast<std::ptrdiff_t>(filled), repeat, value);
    filled += repeat;
  }
  return Outcome::kDone;
}

}  // namespace

Outcome ReadDynamicHeader(LsbBitReader& reader, std::span<TableEntry> literals,
                          std::span<TableEntry> distances) {
  reader.Refill();
  const std::uint32_t literal_count = reader.Take(5) + kLiteralCountBase;
  const std::uint32_t distance_count = reader.Take(5) + kDistanceCountBase;
  const std::uint32_t code_length_count = reader.Take(4) + kCodeLengthCountBase;
  if (reader.Overran()) return Outcome::kOutOfInput;
  if (literal_count > kLiteralLengthSymbols || distance_count > kDistanceSymbols)
    return Outcome::kCorrupt;

  std::array<std::uint8_t, kCodeLengthSymbols> code_length_lengths{};
  for (std::uint32_t i = 0; i < code_length_count; ++i) {
    reader.Refill();
    code_length_lengths[kCodeLengthOrder[i]] = static_cast<std::uint8_t>(reader.Take(3));
  }
  if (reader.Overran()) return Outcome::kOutOfInput;
  CodeLengthTable code_length_table{};
  if (std::all_of(code_length_lengths.begin(), code_length_lengths.end(),
                  [](std::uint8_t length) { return length == 0; })) {
    // zlib reads an empty code-length code as one bit per zero length: the block then fails for
    // want of an end-of-block code, unless the input runs out first, which a full block accepts.
    code_length_table.fill(kCodeLengthMeanings[0] | 1u);
  } else if (!BuildDecodeTable(code_length_lengths, kCodeLengthMeanings, kCodeLengthRootBits,
                               Sparse::kRefused, code_length_table)) {
    return Outcome::kCorrupt;
  }

  std::array<std::uint8_t, kLiteralLengthSymbols + kDistanceSymbols> lengths{};
  const std::span<std::uint8_t> all(lengths.data(), literal_count + distance_count);
  if (const Outcome read = ReadCodeLengths(reader, code_length_table, all);
      read != Outcome::kDone) {
    return read;
  }
  if (lengths[kEndOfBlock] == 0) return Outcome::kCorrupt;
  const bool built = BuildDecodeTable(all.first(literal_count), kLiteralLengthMeanings,
                                      kLiteralLengthRootBits, Sparse::kAllowed, literals) &&
                     BuildDecodeTable(all.subspan(literal_count), kDistanceMeanings,
                                      kDistanceRootBits, Sparse::kAllowed, distances);
  return built ? Outcome::kDone : Outcome::kCorrupt;
}

}  // namespace codec::deflate
