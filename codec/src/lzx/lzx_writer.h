// The bit-level side of an LZX encoder for one cabinet folder: it takes blocks already decided
// (their type, their tokens and tree lengths, or the bytes of an uncompressed block), writes them
// as the format lays them out, and hands each finished 32 KiB frame to a BlockSink as one data
// block. The encoder decides everything that costs bits; the writer decides nothing.
//
// What the writer takes care of: the x86 translation header at the start; each block's header;
// the aligned tree, and the main and length trees sent as differences from the previous block's
// (all zeros before the first); the tokens' codes; the repeated offsets, which it follows through
// the tokens so as to check repeats and write them into uncompressed blocks; uncompressed blocks'
// word alignment, R0-R2 and padding byte; the word alignment at each frame's end.
//
// The writer checks every block before writing any of it and refuses, with nothing written:
//   kCorruptData  a block that no decoder could read back as meant: no tokens (or bytes), a match
//                 length outside 2..257, an offset outside the window's position slots, a match
//                 reaching before the start of the folder's data (repeats included), a token
//                 crossing the end of a frame, a symbol used without a code, tree lengths that
//                 are not an accepted code (IsAcceptedCode()), aligned lengths above 7, a type
//                 other than verbatim or aligned for WriteBlock();
//   kTooLarge     a block above kLzxMaxBlockSize bytes of output, or a frame whose coded bytes
//                 would exceed kMaxBlockInput (an encoder then writes that stretch uncompressed);
//   kOutputFailed the sink refused a frame.
// After any error the writer stays failed and returns that error.
//
// Memory: about 1 KiB of state, and the coded bytes of the frame in progress.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "bits/word_bit_writer.h"
#include "common/block_codec.h"
#include "lzx/lzx_format.h"
#include "lzx/lzx_tokens.h"

namespace codec {

class LzxWriter {
 public:
  // window_bits: 15 to 21, as the folder's type says (LzxType()). translation_size: the x86
  // translation header, nothing for none; the encoder passes each frame through
  // TranslateLzxCalls() before choosing its tokens.
  LzxWriter(BlockSink& sink, unsigned window_bits, std::optional<std::uint32_t> translation_size);

  // A verbatim or aligned block. Its expanded size is the sum of its tokens' sizes.
  Error WriteBlock(LzxBlockType type, std::span<const LzxToken> tokens,
                   const LzxTreeLengths& lengths);
  // An uncompressed block of `bytes` (as they stand after translation).
  Error WriteUncompressedBlock(std::span<const std::uint8_t> bytes);
  // Hands over the last frame, shorter than 32 KiB unless empty. No block may follow.
  Error Finish();

  // Bytes of output written so far, the repeated offsets as they stand after them, and the trees
  // the next block's are sent against (all lengths 0 before the first compressed block).
  std::uint64_t position() const { return position_; }
  const LzxRepeated& repeated() const { return repeated_; }
  const LzxTreeLengths& trees() const { return previous_; }

 private:
  Error Check(LzxBlockType type, std::span<const LzxToken> tokens,
              const LzxTreeLengths& lengths) const;
  Error CheckTokens(LzxBlockType type, std::span<const LzxToken> tokens,
                    const LzxTreeLengths& lengths) const;
  void PutHeaders(LzxBlockType type, std::uint32_t size);
  void PutTrees(LzxBlockType type, const LzxTreeLengths& lengths);
  Error Advance(std::uint32_t bytes);
  Error EndFrame();
  Error Fail(Error error);

  BlockSink& sink_;
  unsigned window_bits_;
  unsigned main_symbols_;
  std::optional<std::uint32_t> translation_size_;
  WordBitWriter bits_;
  std::uint64_t position_ = 0;
  std::size_t frame_used_ = 0;  // bytes of output in the current frame
  LzxRepeated repeated_ = kLzxInitialRepeated;
  LzxTreeLengths previous_{};  // main and length lengths of the last compressed block
  bool started_ = false;       // the translation header is written
  bool finished_ = false;
  Error error_ = Error::kOk;
};

}  // namespace codec
