// How a cabinet's folder meets its compression method. A folder's data is cut into data blocks
// of at most kMaxBlockOutput bytes once expanded; each method codes block by block, carrying its
// history (window, trees, coder state) from one block to the next within the folder, and starts
// afresh for each folder.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "codec/codec.h"

namespace codec {

// Largest expanded size of one data block (the last block of a folder may be shorter).
inline constexpr std::size_t kMaxBlockOutput = 32768;
// Largest coded size of one data block that a method may write: the expanded size plus the
// worst growth the cabinet format allows.
inline constexpr std::size_t kMaxBlockInput = kMaxBlockOutput + 6144;

class BlockDecoder {
 public:
  virtual ~BlockDecoder() = default;
  // Decodes the next block of the folder: `input` is its coded bytes (the parts of a block split
  // between two cabinets already joined), `output` receives exactly output.size() bytes (at most
  // kMaxBlockOutput). kCorruptData when the bytes cannot give that; after any error the decoder
  // stays failed.
  virtual Error Decode(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) = 0;
};

// Where an encoder hands each coded block, in order.
class BlockSink {
 public:
  virtual ~BlockSink() = default;
  // `coded`: the block's bytes (at most kMaxBlockInput); `expanded_size`: what they expand to
  // (kMaxBlockOutput for every block but the last). False when the bytes could not be taken.
  virtual bool Take(std::span<const std::uint8_t> coded, std::uint32_t expanded_size) = 0;
};

class FolderEncoder {
 public:
  virtual ~FolderEncoder() = default;
  // Bytes of the folder's data, in chunks of any size; blocks go to the sink as they are ready.
  virtual Error Feed(std::span<const std::uint8_t> bytes) = 0;
  // The end of the data: codes what is left. An empty folder gives no block at all.
  virtual Error Finish() = 0;
};

}  // namespace codec
