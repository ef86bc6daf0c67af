// A raw DEFLATE decoder (RFC 1951) for streams whose whole input and whole output are at hand,
// as in an MSZIP data block. It writes straight into the caller's buffer; matches may also copy
// from a history of earlier output kept by the caller.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "inflate/decode_table.h"

namespace codec::deflate {

class Inflater {
 public:
  Inflater();

  // Decodes the stream in `input` into exactly `output`. `history` is what came just before
  // (oldest first); matches may reach back into it. True when the output is full and the stream
  // either ends there or runs out of input without producing more; bytes after its end are
  // ignored. False for anything impossible: a bad block type, bad code lengths, a distance
  // before the history, a stored length that does not match its complement, the input running
  // out before the output is full, or more output than `output` holds.
  bool Inflate(std::span<const std::uint8_t> input, std::span<const std::uint8_t> history,
               std::span<std::uint8_t> output);

 private:
  std::array<TableEntry, kLiteralLengthTableSize> literals_{};
  std::array<TableEntry, kDistanceTableSize> distances_{};
  std::array<TableEntry, std::size_t{1} << kLiteralLengthRootBits> fixed_literals_{};
  std::array<TableEntry, std::size_t{1} << kDistanceRootBits> fixed_distances_{};
};

}  // namespace codec::deflate
