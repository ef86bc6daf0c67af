// KWAJ method 4: blocks of "length, CK, DEFLATE stream", each giving at most 32 KiB, the DEFLATE
// history carried from block to block; a zero length ends the data.
#pragma once

#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/checked_output.h"
#include "common/stream_decoder.h"

namespace codec {

class MsZipDecoder final : public StreamDecoder {
 public:
  explicit MsZipDecoder(CheckedOutput& out);
  ~MsZipDecoder() override;
  MsZipDecoder(const MsZipDecoder&) = delete;
  MsZipDecoder& operator=(const MsZipDecoder&) = delete;

  Error Feed(std::span<const std::uint8_t> bytes) override;
  Error Finish() override;

 private:
  enum class Stage : std::uint8_t { kLengthLow, kLengthHigh, kC, kK, kDeflate, kEnd };

  Error StartBlock();
  Error Inflate(std::span<const std::uint8_t>& bytes);
  Error EndBlock();

  CheckedOutput& out_;
  z_stream stream_{};
  bool stream_ready_ = false;
  Stage stage_ = Stage::kLengthLow;
  std::uint32_t block_left_ = 0;  // coded bytes of the current block not yet given to zlib
  // The last 32 KiB of output (the history of the next block), then the current block's output.
  std::vector<std::uint8_t> buffer_;
  std::size_t history_ = 0;
  std::size_t block_out_ = 0;
};

}  // namespace codec
