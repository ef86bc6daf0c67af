#include "inflate/inflater.h"

#include <algorithm>
#include <cstring>

#include "inflate/dynamic_header.h"
#include "inflate/huffman_data.h"
#include "inflate/lsb_bit_reader.h"
#include "inflate/symbol_meanings.h"
#include "mszip/deflate_tables.h"

namespace codec::deflate {
namespace {

// The fixed codes as the decoder reads them: the two symbols past each alphabet have codes too.
constexpr std::array<std::uint8_t, kFixedLiteralLengthCodes> kFixedLiteralCodeLengths = [] {
  std::array<std::uint8_t, kFixedLiteralLengthCodes> lengths{};
  lengths.fill(8);
  std::copy(kFixedLiteralLengthLengths.begin(), kFixedLiteralLengthLengths.end(), lengths.begin());
  return lengths;
}();
constexpr std::array<std::uint8_t, kFixedDistanceCodes> kFixedDistanceCodeLengths = [] {
  std::array<std::uint8_t, kFixedDistanceCodes> lengths{};
  lengths.fill(5);
  return lengths;
}();

// A stored block: its length and the length's complement, then its bytes as they are.
Outcome CopyStored(LsbBitReader& reader, OutputWindow& out) {
  reader.AlignToByte();
  std::span<const std::uint8_t> rest = reader.Rest();
  if (rest.size() < 4) return Outcome::kOutOfInput;
  const std::size_t length = rest[0] | std::size_t{rest[1]} << 8;
  const std::size_t complement = rest[2] | std::size_t{rest[3]} << 8;
  if ((length ^ complement) != 0xFFFF) return Outcome::kCorrupt;
  reader.Skip(4);
  rest = rest.subspan(4);
  const auto room = static_cast<std::size_t>(out.end - out.next);
  // Bytes the output cannot take are an error only when the input has them.
  const std::size_t copied = std::min({length, rest.size(), room});
  if (copied < length && copied == room && copied < rest.size()) return Outcome::kCorrupt;
  if (copied != 0) std::memcpy(out.next, rest.data(), copied);  // an empty output may be null
  out.next += copied;
  reader.Skip(copied);
  return copied == length ? Outcome::kDone : Outcome::kOutOfInput;
}

}  // namespace

Inflater::Inflater() {
  BuildDecodeTable(kFixedLiteralCodeLengths, kLiteralLengthMeanings, kLiteralLengthRootBits,
                   Sparse::kRefused, fixed_literals_);
  PairLiterals(fixed_literals_);
  BuildDecodeTable(kFixedDistanceCodeLengths, kDistanceMeanings, kDistanceRootBits,
                   Sparse::kRefused, fixed_distances_);
}

bool Inflater::Inflate(std::span<const std::uint8_t> input, std::span<const std::uint8_t> history,
                       std::span<std::uint8_t> output) {
  LsbBitReader reader(input);
  OutputWindow out{output.data(), output.data(), output.data() + output.size(), history.data(),
                   history.size()};
  for (;;) {
    reader.Refill();
    const bool final = reader.Take(1) != 0;
    const std::uint32_t type = reader.Take(2);
    Outcome outcome = Outcome::kOutOfInput;
    if (!reader.Overran()) {
      switch (type) {
        case kStoredBlock:
          outcome = CopyStored(reader, out);
          break;
        case kFixedBlock:
          outcome = DecodeHuffmanData(reader, fixed_literals_.data(), fixed_distances_.data(), out);
          break;
        case kDynamicBlock:
          outcome = ReadDynamicHeader(reader, literals_, distances_);
          if (outcome == Outcome::kDone)
            outcome = DecodeHuffmanData(reader, literals_.data(), distances_.data(), out);
          break;
        default:
          return false;
      }
    }
    if (outcome == Outcome::kCorrupt) return false;
    if (outcome == Outcome::kOutOfInput || final) return out.next == out.end;
  }
}

}  // namespace codec::deflate
