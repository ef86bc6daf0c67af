// MSZIP as a cabinet's method: each data block is "CK" and a DEFLATE stream that may copy from
// the last 32 KiB of the folder's earlier blocks.
#pragma once

#include <cstdint>
#include <vector>

#include "common/block_codec.h"
#include "inflate/inflater.h"

namespace codec {

class MsZipBlockDecoder final : public BlockDecoder {
 public:
  MsZipBlockDecoder();

  Error Decode(std::span<const std::uint8_t> input, std::span<std::uint8_t> output) override;

 private:
  void Remember(std::span<const std::uint8_t> output);

  deflate::Inflater inflater_;
  bool failed_ = false;
  std::vector<std::uint8_t> history_;  // the last 32 KiB of output, oldest first
};

}  // namespace codec
