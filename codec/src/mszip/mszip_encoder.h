// The MSZIP encoder of a cabinet folder: 32 KiB data blocks, each "CK" and a DEFLATE stream made as
// small as the encoder can (mszip_block_encoder.h), its matches reaching into the block before.
//
// Blocks are coded in batches, several at once on worker threads; since a coded block depends
// only on its bytes and the 32 KiB before, the output is the same for any number of threads.
//
// Memory: the batch, 4 blocks per thread (128 KiB, and as much for their coded bytes), plus a block
// encoder per thread (3 MiB, 11 MiB at worst): under 200 MiB with kMaxThreads threads, about
// 7 MiB with two.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "common/block_codec.h"
#include "mszip/mszip_block_encoder.h"

namespace codec {

class MsZipEncoder final : public FolderEncoder {
 public:
  static constexpr unsigned kMaxThreads = 16;

  // threads: how many blocks are coded at once, at most kMaxThreads; 0 for one per core.
  explicit MsZipEncoder(BlockSink& sink, unsigned threads = 0);
  ~MsZipEncoder() override;
  MsZipEncoder(const MsZipEncoder&) = delete;
  MsZipEncoder& operator=(const MsZipEncoder&) = delete;

  // kOk, or kOutputFailed once the sink has refused a block (or kLengthMismatch after Finish());
  // the error stays.
  Error Feed(std::span<const std::uint8_t> bytes) override;
  Error Finish() override;

 private:
  // Codes the buffered blocks, up to a batch; a block short of 32 KiB only at the folder's end.
  Error CodeBatch(bool end);
  std::size_t BatchBlocks() const { return 4 * coders_.size(); }

  BlockSink& sink_;
  std::vector<std::unique_ptr<MsZipBlockEncoder>> coders_;  // one per thread, once it has work
  std::vector<std::uint8_t> buffer_;  // the 32 KiB of history, then the blocks waiting
  std::size_t history_ = 0;
  std::vector<std::vector<std::uint8_t>> coded_;
  Error error_ = Error::kOk;
  bool finished_ = false;
};

}  // namespace codec
