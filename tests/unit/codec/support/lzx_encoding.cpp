#include "support/lzx_encoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <span>

#include "lzx/lzx_encoder.h"
#include "support/lzx_streams.h"

namespace codec_test {

std::vector<CraftedBlock> EncodeLzx(const Bytes& data, unsigned window_bits, unsigned threads,
                                    std::size_t chunk) {
  CollectedBlocks sink;
  codec::LzxEncoder encoder(sink, window_bits, threads);
  for (std::size_t at = 0; at < data.size(); at += chunk)
    EXPECT_EQ(encoder.Feed(std::span(data).subspan(at, std::min(chunk, data.size() - at))),
              codec::Error::kOk);
  EXPECT_EQ(encoder.Finish(), codec::Error::kOk);
  return std::move(sink.blocks);
}

std::size_t CodedSize(const std::vector<CraftedBlock>& blocks) {
  std::size_t size = 0;
  for (const CraftedBlock& block : blocks)
    size += block.coded.size();
  return size;
}

}  // namespace codec_test
