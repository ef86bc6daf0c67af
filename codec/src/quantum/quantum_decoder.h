// The Quantum method of cabinet folders. Each data block is one frame of 32 KiB of output (the
// last one shorter); the arithmetic coder starts afresh with each frame, reading 16 new bits,
// while the models and the window carry on through the folder. A frame ends with the symbol that
// completes its output (no match runs on into the next frame), and its block ends at the next
// byte boundary. What the two independent decoders take after that differs: 7-Zip wants zero
// bits, at least two, and nothing more; cabextract skips any bytes but 0xFF. This decoder takes
// zero bits and zero bytes, which is what a writer pads with, and refuses anything else.
//
// Memory: the window (2^window_bits bytes, at least 32 KiB, so at most 2 MiB) plus fixed tables
// of under 2 KiB, whatever the input.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "codec/codec.h"
#include "common/block_codec.h"
#include "quantum/folder_history.h"
#include "quantum/quantum_models.h"

namespace codec {

class QuantumDecoder final : public BlockDecoder {
 public:
  // A decoder for a folder of compression level 1..7 and window bits 10..21; nullptr for other
  // parameters, which the format does not have. The level only steers the compressor's search;
  // the two independent decoders ignore it, and so does this one.
  static std::unique_ptr<QuantumDecoder> Create(unsigned level, unsigned window_bits);

  // Decodes one frame. kCorruptData when `input` cannot give output.size() bytes (1 to
  // kMaxBlockOutput) as one frame: a match reaching before the folder's first byte or past the
  // frame's end, a frame needing more bytes than `input` holds, or bits other than zeros left
  // after the frame's last symbol.
  Error Decode(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) override;

 private:
  explicit QuantumDecoder(unsigned window_bits);
  Error DecodeFrame(std::span<const std::uint8_t> input, std::size_t size);

  quantum::QuantumModels models_;
  quantum::FolderHistory history_;
  Error error_ = Error::kOk;
};

}  // namespace codec
