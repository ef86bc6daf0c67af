// The LZX encoder of a cabinet folder (windows of 2^15 to 2^21 bytes): the data parsed for size
// and cut into blocks where its statistics change, each block verbatim, aligned or uncompressed
// as is smallest, the whole handed to the sink as 32 KiB frames.
//
// The data is coded in segments of kSegment bytes, gathered in batches of kBatchSegments. One
// match finder runs through the whole folder (lzx_match_table.h); each segment is then planned on
// its own (lzx_segment_coder.h): a near-optimal parse under iterated costs, split into blocks,
// each parsed again for its own statistics. Segments are planned on worker threads while the next
// ones are searched (lzx_pipeline.h); since a plan depends only on the data, the output is the
// same for any number of threads. The blocks are then written in order (lzx_emitter.h), their
// repeated offsets, type and trees decided by the stream as it stands.
//
// The x86 call translation is on when the data is an x86 or x86-64 program (lzx_program.h), told
// from its first bytes before anything is written, with kTranslationSize as the header's size.
//
// Memory, for a window of 2^w bytes and t threads (at most kMaxThreads): the finder's 10 * 2^w
// bytes and 256 KiB; a buffer of 2 * 2^w bytes, a batch and a frame; t + 1 match tables of at most
// 9 MiB; t segment coders of 10 MiB; the batch's plans and the emitter's open block, 16 MiB each;
// 1 MiB of logarithms. For the 2 MiB window: at most 115 MiB with two threads, 152 MiB with four;
// less on most data, whose matches and parses fill a fraction of the room kept for them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "common/block_codec.h"
#include "lz/binary_tree_finder.h"
#include "lzx/lzx_emitter.h"
#include "lzx/lzx_match_table.h"
#include "lzx/lzx_segment_coder.h"

namespace codec {

class LzxEncoder final : public FolderEncoder {
 public:
  static constexpr unsigned kMaxThreads = 4;
  static constexpr std::uint32_t kSegment = LzxBlockSplitter::kMostBytes;
  static constexpr std::size_t kBatchSegments = 8;
  static constexpr std::uint32_t kTranslationSize = 12000000;

  // window_bits: 15 to 21. threads: how many segments are planned at once, at most kMaxThreads;
  // 0 for one per core.
  LzxEncoder(BlockSink& sink, unsigned window_bits, unsigned threads = 0);
  ~LzxEncoder() override;
  LzxEncoder(const LzxEncoder&) = delete;
  LzxEncoder& operator=(const LzxEncoder&) = delete;

  // kOk, or kOutputFailed once the sink has refused a frame (or kLengthMismatch after Finish());
  // the error stays.
  Error Feed(std::span<const std::uint8_t> bytes) override;
  Error Finish() override;

 private:
  // Codes the segments waiting in the buffer: a whole batch, or at the end all that is left.
  Error CodeBatch(bool end);
  // Translates the calls in the frames not yet translated: the whole ones, and at the end the last.
  void Translate(bool end);
  // Drops the bytes that no match can reach any more, by whole multiples of the finder's slots.
  void Slide();
  std::size_t Waiting() const { return filled_ - static_cast<std::size_t>(coded_ - base_); }

  BlockSink& sink_;
  unsigned window_bits_;
  unsigned threads_;
  lz::BinaryTreeFinder finder_;
  std::vector<std::uint8_t> buffer_;  // the folder's data from base_ on, translated
  std::uint64_t base_ = 0;
  std::size_t filled_ = 0;
  std::uint64_t coded_ = 0;            // the folder's data before this is coded
  std::uint64_t translated_ = 0;       // and before this translated, when translation is on
  std::optional<LzxEmitter> emitter_;  // made once the translation is decided
  std::optional<std::uint32_t> translation_;
  std::vector<std::unique_ptr<LzxSegmentCoder>> coders_;  // one per thread
  std::vector<LzxMatchTable> tables_;
  std::vector<LzxSegmentPlan> plans_;  // one per segment of a batch
  Error error_ = Error::kOk;
  bool finished_ = false;
};

}  // namespace codec
