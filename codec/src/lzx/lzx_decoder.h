// LZX decoding of one cabinet folder, frame by frame: each Decode() takes one data block's coded
// bytes and gives its frame of output (32 KiB, the folder's last frame shorter). The window, the
// trees, the repeated offsets and a block still in progress carry from frame to frame; a new
// folder takes a new decoder.
//
// Memory: the window (2^window_bits bytes and 16 more, at most 2 MiB + 16) taken at
// construction, and about 40 KiB of fixed state and tables in the object; reading a tree update
// takes 5 KiB of stack.
//
// Every input that cannot be LZX data written for these frames gives kCorruptData, after which
// the decoder stays failed: a translation size of 2^31 or more, a block type other than 1 to 3, a
// tree that does not fill its code space (but for an all-zero length tree), a tree update running
// past its tree, a code the trees do not hold, a match reaching before the start of the folder's
// data or past the end of its block or frame, a frame's input ending before its output does or
// holding bytes past it, a frame after one shorter than 32 KiB.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "bits/huffman_table.h"
#include "bits/word_bit_reader.h"
#include "common/block_codec.h"
#include "lzx/lzx_format.h"

namespace codec {

class LzxDecoder final : public BlockDecoder {
 public:
  // window_bits: 15 to 21, as the folder's type says; any other value makes Decode() fail.
  explicit LzxDecoder(unsigned window_bits);

  Error Decode(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) override;

 private:
  Error DecodeFrame(WordBitReader& reader, std::uint32_t frame_size);
  Error ReadBlockHeader(WordBitReader& reader);
  Error ReadTrees(WordBitReader& reader, bool aligned);
  Error CopyUncompressed(WordBitReader& reader, std::uint32_t at, std::uint32_t count);
  Error DecodeTokens(WordBitReader& reader_state, std::uint32_t& at_state, std::uint32_t end);
  Error Fail(Error error);

  unsigned main_symbols_;
  std::vector<std::uint8_t> window_;
  std::uint32_t window_mask_;
  std::uint64_t position_ = 0;  // output of the frames before the current one
  bool header_read_ = false;
  std::optional<std::uint32_t> translation_size_;
  bool short_frame_seen_ = false;
  LzxRepeated repeated_ = kLzxInitialRepeated;
  LzxBlockType block_type_ = LzxBlockType::kVerbatim;
  std::uint32_t block_left_ = 0;  // output still to come from the current block
  bool block_odd_ = false;        // an uncompressed block of odd size ends with a padding byte
  bool pad_pending_ = false;      // that byte is still to come, at the next frame's start
  std::array<std::uint8_t, kLzxMaxMainSymbols> main_lengths_{};
  std::array<std::uint8_t, kLzxLengthSymbols> length_lengths_{};
  HuffmanTable<kLzxMaxMainSymbols, 11> main_;
  HuffmanTable<kLzxLengthSymbols, 10> length_;
  HuffmanTable<kLzxAlignedSymbols, 7> aligned_;
  Error error_ = Error::kOk;
};

}  // namespace codec
