// The coded data of a fixed or dynamic block: literals and matches up to the end-of-block code.
#pragma once

#include <cstddef>
#include <cstdint>

#include "inflate/decode_table.h"
#include "inflate/lsb_bit_reader.h"

namespace codec::deflate {

// Where a stream's bytes go: the caller's buffer, with the history that matches may also copy
// from just before it (oldest first).
struct OutputWindow {
  std::uint8_t* begin = nullptr;
  std::uint8_t* next = nullptr;
  std::uint8_t* end = nullptr;
  const std::uint8_t* history = nullptr;
  std::size_t history_size = 0;
};

enum class Outcome : std::uint8_t {
  kDone,        // read whole: a header, or the data up to its end-of-block code
  kOutOfInput,  // a code or its extra bits run past the input
  kCorrupt,     // an invalid code, a distance before the history, more bytes than the output holds
};

Outcome DecodeHuffmanData(LsbBitReader& reader, const TableEntry* literals,
                          const TableEntry* distances, OutputWindow& out);

}  // namespace codec::deflate
