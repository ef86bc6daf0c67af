// KWAJ method 3: LZ matches and literal runs coded with five canonical Huffman tables that the
// data carries at its start.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "bits/huffman_table.h"
#include "bits/msb_bit_reader.h"
#include "common/checked_output.h"
#include "common/lz_window.h"
#include "common/stream_decoder.h"

namespace codec {

class KwajLzhDecoder final : public StreamDecoder {
 public:
  explicit KwajLzhDecoder(CheckedOutput& out);

  Error Feed(std::span<const std::uint8_t> bytes) override;
  Error Finish() override;

 private:
  enum Table : std::uint8_t {
    kMatchLengths,
    kMatchLengthsAfterRun,
    kRunLengths,
    kOffsets,
    kLiterals
  };

  Error Decode(bool final);
  Error ReadTables(MsbBitReader& reader);
  // One match or literal run; sets `ended` when the input ends where the data may end.
  Error DecodeItem(MsbBitReader& reader, bool final, bool& ended);

  CheckedOutput& out_;
  LzWindow window_;
  // Every table in one type, sized for the largest (256 literals).
  std::array<HuffmanTable<256, 9>, 5> tables_;
  bool have_tables_ = false;
  bool ended_ = false;
  Table current_ = kMatchLengths;
  std::vector<std::uint8_t> input_;  // coded bytes not wholly decoded yet
  std::size_t bit_ = 0;              // bits of input_ already decoded
};

}  // namespace codec
