// The last, serial stage of the LZX encoder: each planned block, in order, coded from the
// writer's own repeated offsets and previous trees, as the smallest of its codings
// (lzx_block_choice.h), then written.
//
// A planned block stays open to the next one: the two are joined when one block codes them in
// fewer bits than the two (the second sent against the first's trees), so that the segments'
// plans, made apart, still share blocks. Consecutive uncompressed blocks are joined into one,
// held back until a compressed block or Flush() follows. A compressed block is also written
// uncompressed when one of its frames could come out larger than a data block may be: the emitter
// follows the coded bits of each frame, and keeps them within the frame's bytes and kSlack more at
// every block end.
//
// Memory: the writer's, and the steps and tokens of the open block: 16 MiB.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/block_codec.h"
#include "lzx/lzx_block_choice.h"
#include "lzx/lzx_steps.h"
#include "lzx/lzx_writer.h"

namespace codec {

class LzxEmitter {
 public:
  // What a frame's coded bytes may exceed its expanded bytes by at a block's end, leaving room in
  // the data block for the headers of uncompressed blocks after it.
  static constexpr std::uint32_t kSlack = kMaxBlockInput - kLzxFrameSize - 1024;
  // The most bytes a block joined from planned blocks may give.
  static constexpr std::uint32_t kMostOpen = 1 << 20;

  LzxEmitter(BlockSink& sink, unsigned window_bits, std::optional<std::uint32_t> translation_size);

  // The next block: `steps`, which give `bytes` (at most kMostOpen). The bytes must stay in
  // place until Flush().
  Error Emit(std::span<const LzxStep> steps, std::span<const std::uint8_t> bytes);
  // Writes the blocks held back.
  Error Flush();
  // Flushes, then ends the last frame.
  Error Finish();

 private:
  // Whether the block fits the frames' bounds; its bits then count in the frames'.
  bool Fits(const LzxBlockChoice& choice);
  // Writes the open block as it is best coded, or holds it back to join the uncompressed bytes.
  Error WriteOpen();
  Error WriteHeld();
  void CountUncompressed(std::uint32_t size);
  void Advance(std::uint32_t size);

  LzxWriter writer_;
  unsigned window_bits_;
  // The block still open to the blocks after it: its steps, its bytes, its stats and the repeated
  // offsets after it, as coded after the blocks written.
  std::vector<LzxStep> open_steps_;
  std::span<const std::uint8_t> open_bytes_;
  LzxBlockStats open_stats_;
  LzxRepeated open_after_{};
  std::span<const std::uint8_t> held_;  // uncompressed bytes not written yet
  std::vector<LzxToken> tokens_;
  std::uint64_t frame_bits_ = 0;  // coded bits of the current frame so far
  std::uint32_t frame_used_ = 0;  // its expanded bytes so far
};

}  // namespace codec
