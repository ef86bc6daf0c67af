// Decoding tables for DEFLATE's canonical Huffman codes. The bits are read least significant
// first, so a table is indexed by the next root_bits bits of the stream; codes longer than that
// go on in a subtable, indexed by the bits after the root's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace codec::deflate {

// An entry: bits 0-5 how many bits its code and the extra bits after it take, bits 8-11 how many
// of them are extra bits (for a length or distance symbol) or a subtable's index bits, bits 12-15
// its kind, bits 16-31 its value (a literal, a base length or distance, a code-length symbol, or
// where the subtable starts).
//
// A literal entry says in bits 6-7 how many literals it holds: two when the codes of both fit in
// the root index. Then bits 0-5 take both codes, bits 8-11 the first code alone, and bits 16-23
// and 24-31 are the literals.
using TableEntry = std::uint32_t;
inline constexpr TableEntry kLiteralEntry = 0x8000;
inline constexpr TableEntry kEndOfBlockEntry = 0x4000;
inline constexpr TableEntry kSubtableEntry = 0x2000;
inline constexpr TableEntry kInvalidEntry = 0x1000;
// The bits of an entry that a symbol's meaning gives; the builder adds the code's length.
inline constexpr TableEntry MakeMeaning(TableEntry kind, std::uint32_t extra, std::uint32_t value) {
  return value << 16 | kind | extra << 8;
}
inline constexpr unsigned CodeBits(TableEntry entry) {
  return entry & 0x3Fu;
}
inline constexpr unsigned ExtraBits(TableEntry entry) {
  return (entry >> 8) & 0xFu;
}
inline constexpr std::uint32_t Value(TableEntry entry) {
  return entry >> 16;
}
inline constexpr TableEntry MakeLiteral(std::uint32_t literal) {
  return MakeMeaning(kLiteralEntry, 0, literal) | 1u << 6;
}
inline constexpr unsigned LiteralCount(TableEntry entry) {
  return (entry >> 6) & 0x3u;
}
inline constexpr unsigned FirstLiteralBits(TableEntry entry) {
  return ExtraBits(entry);
}

inline constexpr unsigned kLiteralLengthRootBits = 11;
inline constexpr unsigned kDistanceRootBits = 8;
inline constexpr unsigned kCodeLengthRootBits = 7;

// A subtable under a root entry has 2^k entries when its longest code is root_bits + k long; the
// codes under that entry then form a full tree of depth k, so they are at least k + 1. With at
// most 288 literal/length symbols and k <= 4, the subtables hold at most 288 / 5 * 16 entries;
// with 32 distance symbols and k <= 7, at most 32 / 8 * 128.
inline constexpr std::size_t kLiteralLengthTableSize =
    (1u << kLiteralLengthRootBits) + 288 / 5 * 16;
inline constexpr std::size_t kDistanceTableSize = (1u << kDistanceRootBits) + 32 / 8 * 128;
inline constexpr std::size_t kCodeLengthTableSize = 1u << kCodeLengthRootBits;

// Whether a code may leave part of its code space unused. Deflate allows it only in two shapes,
// which encoders write for a block that uses one symbol or none: a single one-bit code, and no
// code at all. Their unused codes are invalid entries, one bit long.
enum class Sparse : std::uint8_t { kRefused, kAllowed };

// Fills `table` from per-symbol code lengths (0 = unused, at most 15) and what each symbol means.
// False when the lengths over-subscribe the code space, or leave part of it unused in a shape
// `sparse` does not allow.
bool BuildDecodeTable(std::span<const std::uint8_t> lengths, std::span<const TableEntry> meanings,
                      unsigned root_bits, Sparse sparse, std::span<TableEntry> table);

// Joins, in a literal/length table, each root literal entry with the literal that follows it
// whenever both codes fit in the root index.
void PairLiterals(std::span<TableEntry> table);

}  // namespace codec::deflate
