#include "inflate/huffman_data.h"

#include <cstring>

#include "mszip/deflate_tables.h"

namespace codec::deflate {
namespace {

// The room the fast loop needs: the longest match and the overshoot of its widest copy.
constexpr std::ptrdiff_t kFastRoom = kMaxMatch + 16;

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
  const std::size_t period = distance * ((8 + distance - 1) / distance);
  if (length > 8) CopyChunks<8>(to + 8, to + 8 - period, stop);
}

// A match that may start in the history, byte by byte; the caller has checked it fits.
void CopyExact(OutputWindow& out, std::size_t distance, std::size_t length) {
  const auto produced = static_cast<std::size_t>(out.next - out.begin);
  for (std::size_t i = 0; i < length; ++i) {
    const std::size_t at = produced + i;
    out.next[i] =
        at >= distance ? out.begin[at - distance] : out.history[out.history_size - (distance - at)];
  }
  out.next += length;
}

// The fast loop runs while a whole word of input and kFastRoom bytes of output are left: each
// step starts with at least 56 bits, enough for a length, a distance and their extra bits (48).
// The careful loop checks the input's end after every field and the output's end before every
// byte.
template <bool kFast>
Step Decode(LsbBitReader& reader, const TableEntry* literals, const TableEntry* distances,
            OutputWindow& out) {
  const auto ran_out = [&reader] {
    if constexpr (kFast) {
      return false;
    } else {
      return reader.Overran();
    }
  };
  for (;;) {
    if constexpr (kFast) {
      if (!reader.CanRefillWord() || out.end - out.next < kFastRoom) return Step::kNearEnd;
      reader.RefillWord();
    } else {
      reader.Refill();
    }
    TableEntry entry = Lookup(literals, kLiteralLengthRootBits, reader.Peek());
    reader.Drop(CodeBits(entry));
    if (ran_out()) return Step::kOutOfInput;
    if ((entry & kLiteralEntry) != 0) {
      if (!kFast && out.next == out.end) return Step::kCorrupt;
      *out.next++ = static_cast<std::uint8_t>(Value(entry));
      continue;
    }
    if ((entry & kEndOfBlockEntry) != 0) return Step::kDone;
    if ((entry & kInvalidEntry) != 0) return Step::kCorrupt;
    const std::size_t length = Value(entry) + reader.Take(ExtraBits(entry));
    if (ran_out()) return Step::kOutOfInput;
    entry = Lookup(distances, kDistanceRootBits, reader.Peek());
    reader.Drop(CodeBits(entry));
    if (ran_out()) return Step::kOutOfInput;
    if ((entry & kInvalidEntry) != 0) return Step::kCorrupt;
    const std::size_t distance = Value(entry) + reader.Take(ExtraBits(entry));
    if (ran_out()) return Step::kOutOfInput;
    const auto produced = static_cast<std::size_t>(out.next - out.begin);
    if (distance > produced + out.history_size) return Step::kCorrupt;
    if (!kFast && length > static_cast<std::size_t>(out.end - out.next)) return Step::kCorrupt;
    if (kFast && distance <= produced) {
      CopyWide(out.next, distance, length);
      out.next += length;
    } else {
      CopyExact(out, distance, length);
    }
  }
}

}  // namespace

Outcome DecodeHuffmanData(LsbBitReader& reader, const TableEntry* literals,
                          const TableEntry* distances, OutputWindow& out) {
  const Step step = Decode<true>(reader, literals, distances, out);
  if (step != Step::kNearEnd) return ToOutcome(step);
  return ToOutcome(Decode<false>(reader, literals, distances, out));
}

}  // namespace codec::deflate
