#include "inflate/huffman_data.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "mszip/deflate_tables.h"

namespace codec::deflate {
namespace {

constexpr int kRootLiteralsPerRefill = 4;
static_assert(kRootLiteralsPerRefill * kLiteralLengthRootBits + kLiteralLengthRootBits <= 56);
// The room a step of the fast loop needs: its pairs of literals, the longest match and the
// overshoot of its widest copy.
constexpr std::ptrdiff_t kFastRoom = 2 * kRootLiteralsPerRefill + kMaxMatch + 16;

enum class Step : std::uint8_t { kDone, kOutOfInput, kCorrupt, kNearEnd };

Outcome ToOutcome(Step step) {
  return step == Step::kDone         ? Outcome::kDone
         : step == Step::kOutOfInput ? Outcome::kOutOfInput
                                     : Outcome::kCorrupt;
}

TableEntry Lookup(const TableEntry* table, unsigned root_bits, std::uint64_t bits) {
  TableEntry entry = table[bits & ((1u << root_bits) - 1)];
  if ((entry & kSubtableEntry) != 0) [[unlikely]] {
    entry = table[Value(entry) + ((bits >> root_bits) & ((1u << ExtraBits(entry)) - 1))];
  }
  return entry;
}

template <std::size_t kChunk>
void CopyChunks(std::uint8_t* to, const std::uint8_t* from, const std::uint8_t* stop) {
  do {
    std::memcpy(to, from, kChunk);
    to += kChunk;
    from += kChunk;
  } while (to < stop);
}

// A match wholly inside the output, with room for up to 15 bytes written past its end. Chunks
// never overlap their source: a short period is first widened to a multiple of itself of at
// least 8, which repeats the same bytes.
void CopyWide(std::uint8_t* to, std::size_t distance, std::size_t length) {
  const std::uint8_t* stop = to + length;
  if (distance >= 16) return CopyChunks<16>(to, to - distance, stop);
  if (distance >= 8) return CopyChunks<8>(to, to - distance, stop);
  const std::uint8_t* from = to - distance;
  for (int i = 0; i < 8; ++i)
    to[i] = from[i];
  // The smallest multiple of each period under 8 that is at least 8.
  constexpr std::array<std::uint8_t, 8> kWidened = {0, 8, 8, 9, 8, 10, 12, 14};
  if (length > 8) CopyChunks<8>(to + 8, to + 8 - kWidened[distance], stop);
}

// A match that starts in the history, or any match near the output's end: exact copies, none
// past the match. The caller has checked that it fits. Gives the output's new end.
std::uint8_t* CopyExact(std::uint8_t* to, std::size_t produced, const std::uint8_t* history_end,
                        std::size_t distance, std::size_t length) {
  if (distance > produced) {
    const std::size_t back = distance - produced;  // how far the source starts in the history
    const std::size_t from_history = std::min(back, length);
    std::memcpy(to, history_end - back, from_history);
    to += from_history;
    length -= from_history;
  }
  const std::uint8_t* from = to - distance;
  if (distance >= length) {
    std::memcpy(to, from, length);
  } else {
    for (std::size_t i = 0; i < length; ++i)
      to[i] = from[i];
  }
  return to + length;
}

bool IsLiteral(TableEntry entry) {
  return (entry & kLiteralEntry) != 0;
}

// Writes the one or two literals of a root entry; the second byte may be overwritten later.
void PutLiterals(TableEntry entry, LsbBitReader& reader, OutputWindow& out) {
  auto pair = static_cast<std::uint16_t>(entry >> 16);
  if constexpr (std::endian::native == std::endian::big)
    pair = static_cast<std::uint16_t>(pair << 8 | pair >> 8);
  std::memcpy(out.next, &pair, sizeof pair);
  out.next += LiteralCount(entry);
  reader.Drop(CodeBits(entry));
}

// A length or distance: the entry's base plus the extra bits after its code, both dropped at once
// so that the next lookup waits for one shift only.
std::size_t TakeValue(TableEntry entry, LsbBitReader& reader) {
  const std::uint64_t bits = reader.Peek();
  const unsigned extra = ExtraBits(entry);
  reader.Drop(CodeBits(entry));
  return Value(entry) + ((bits >> (CodeBits(entry) - extra)) & ((1u << extra) - 1));
}

// The fast loop runs while two words of input and kFastRoom bytes of output are left: a refill
// leaves at least 56 bits, enough for four root literal entries or for a length, a distance and
// their extra bits (48), and a step refills at most twice. The careful loop checks the input's end
// after every field and the output's end before every byte, and so takes literals one at a time.
template <bool kFast>
Step Decode(LsbBitReader& reader, const TableEntry* literals, const TableEntry* distances,
            OutputWindow& out) {
  constexpr TableEntry kRootMask = (1u << kLiteralLengthRootBits) - 1;
  constexpr TableEntry kUnusual = kSubtableEntry | kEndOfBlockEntry | kInvalidEntry;
  for (;;) {
    TableEntry entry = 0;
    if constexpr (kFast) {
      if (!reader.CanRefillWords() || out.end - out.next < kFastRoom) return Step::kNearEnd;
      reader.RefillWord();
      entry = literals[reader.Peek() & kRootMask];
      if (IsLiteral(entry)) {
        // Root entries take at most kLiteralLengthRootBits bits each: after four of them, the
        // bits left still index the root.
        for (int i = 0; i < kRootLiteralsPerRefill && IsLiteral(entry); ++i) {
          PutLiterals(entry, reader, out);
          entry = literals[reader.Peek() & kRootMask];
        }
        if (IsLiteral(entry)) continue;
        // What follows may need the full 48 bits again.
        reader.RefillWord();
      }
      if ((entry & kUnusual) != 0) [[unlikely]] {
        entry = Lookup(literals, kLiteralLengthRootBits, reader.Peek());
        if (IsLiteral(entry)) {
          reader.Drop(CodeBits(entry));
          *out.next++ = static_cast<std::uint8_t>(Value(entry));
          continue;
        }
        if ((entry & kEndOfBlockEntry) != 0) {
          reader.Drop(CodeBits(entry));
          return Step::kDone;
        }
        if ((entry & kInvalidEntry) != 0) return Step::kCorrupt;
      }
    } else {
      reader.Refill();
      entry = Lookup(literals, kLiteralLengthRootBits, reader.Peek());
      if (IsLiteral(entry)) {
        reader.Drop(FirstLiteralBits(entry));
        if (reader.Overran()) return Step::kOutOfInput;
        if (out.next == out.end) return Step::kCorrupt;
        *out.next++ = static_cast<std::uint8_t>(Value(entry));
        continue;
      }
    }
    const std::size_t length = TakeValue(entry, reader);
    if constexpr (!kFast) {
      if (reader.Overran()) return Step::kOutOfInput;
      if ((entry & kEndOfBlockEntry) != 0) return Step::kDone;
      if ((entry & kInvalidEntry) != 0) return Step::kCorrupt;
    }
    entry = distances[reader.Peek() & ((1u << kDistanceRootBits) - 1)];
    if ((entry & (kSubtableEntry | kInvalidEntry)) != 0) [[unlikely]] {
      entry = Lookup(distances, kDistanceRootBits, reader.Peek());
    }
    const std::size_t distance = TakeValue(entry, reader);
    if (!kFast && reader.Overran()) return Step::kOutOfInput;
    if ((entry & kInvalidEntry) != 0) return Step::kCorrupt;
    const auto produced = static_cast<std::size_t>(out.next - out.begin);
    if (distance > produced + out.history_size) return Step::kCorrupt;
    if (!kFast && length > static_cast<std::size_t>(out.end - out.next)) return Step::kCorrupt;
    if (kFast && distance <= produced) {
      CopyWide(out.next, distance, length);
      out.next += length;
    } else {
      out.next = CopyExact(out.next, produced, out.history + out.history_size, distance, length);
    }
  }
}

}  // namespace

Outcome DecodeHuffmanData(LsbBitReader& reader, const TableEntry* literals,
                          const TableEntry* distances, OutputWindow& out) {
  // Copies that the loops keep in registers: the bytes they store could alias the originals.
  LsbBitReader bits = reader;
  OutputWindow window = out;
  Step step = Decode<true>(bits, literals, distances, window);
  if (step == Step::kNearEnd) step = Decode<false>(bits, literals, distances, window);
  reader = bits;
  out = window;
  return ToOutcome(step);
}

}  // namespace codec::deflate
