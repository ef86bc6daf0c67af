// MSZIP data blocks as an encoder gives them, and their decoding by zlib: each block's DEFLATE
// stream inflated raw, with the folder's output so far (its last 32 KiB) as dictionary. Header
// only, for the fuzzers too.
#pragma once

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/block_codec.h"

namespace codec_test {

struct CodedBlock {
  std::vector<std::uint8_t> coded;
  std::uint32_t expanded_size = 0;
};

class CodedBlocks final : public codec::BlockSink {
 public:
  bool Take(std::span<const std::uint8_t> coded, std::uint32_t expanded_size) override {
    blocks.push_back({{coded.begin(), coded.end()}, expanded_size});
    return true;
  }
  std::vector<CodedBlock> blocks;
};

// The folder's data, or nothing when a block is not "CK" and a DEFLATE stream that ends exactly
// at the block's end with exactly its expanded size.
inline std::optional<std::vector<std::uint8_t>> InflateBlocks(
    const std::vector<CodedBlock>& blocks) {
  constexpr std::size_t kHistory = 32768;
  std::vector<std::uint8_t> out;
  for (const CodedBlock& block : blocks) {
    if (block.coded.size() < 2 || block.coded[0] != 'C' || block.coded[1] != 'K') return {};
    z_stream stream{};
    if (inflateInit2(&stream, -15) != Z_OK) return {};
    const std::size_t history = std::min(out.size(), kHistory);
    bool ok = history == 0 || inflateSetDictionary(&stream, out.data() + out.size() - history,
                                                   static_cast<uInt>(history)) == Z_OK;
    std::vector<std::uint8_t> expanded(std::size_t{block.expanded_size} + 1);
    std::vector<std::uint8_t> coded(block.coded.begin() + 2, block.coded.end());
    stream.next_in = coded.data();
    stream.avail_in = static_cast<uInt>(coded.size());
    stream.next_out = expanded.data();
    stream.avail_out = static_cast<uInt>(expanded.size());
    ok = ok && inflate(&stream, Z_FINISH) == Z_STREAM_END && stream.avail_in == 0 &&
         stream.total_out == block.expanded_size;
    inflateEnd(&stream);
    if (!ok) return {};
    out.insert(out.end(), expanded.begin(), expanded.begin() + block.expanded_size);
  }
  return out;
}

}  // namespace codec_test
