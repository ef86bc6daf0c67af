#include "support/lzx_streams.h"

#include <algorithm>
#include <array>
#include <span>

#include "lzx/lzx_calls.h"
#include "lzx/lzx_costs.h"
#include "lzx/lzx_decoder.h"
#include "lzx/lzx_writer.h"

namespace codec_test {

using codec::LzxToken;

namespace {

constexpr std::size_t kHashBits = 16;
constexpr std::size_t kChainDepth = 24;

std::uint32_t Hash(const Bytes& data, std::size_t at) {
  const std::uint32_t v =
      data[at] | (std::uint32_t{data[at + 1]} << 8) | (std::uint32_t{data[at + 2]} << 16);
  return (v * 2654435761u) >> (32 - kHashBits);
}

std::size_t MatchLength(const Bytes& data, std::size_t at, std::size_t from, std::size_t limit) {
  std::size_t n = 0;
  while (n < limit && data[from + n] == data[at + n])
    ++n;
  return n;
}

}  // namespace

bool CollectedBlocks::Take(std::span<const std::uint8_t> coded, std::uint32_t expanded_size) {
  if (refuse) return false;
  blocks.push_back(
      {Bytes(coded.begin(), coded.end()), static_cast<std::uint16_t>(expanded_size), {}});
  return true;
}

std::vector<LzxToken> GreedyTokens(const Bytes& data, std::size_t start, std::size_t end,
                                   unsigned window_bits, codec::LzxRepeated& repeated) {
  const std::size_t max_distance = (std::size_t{1} << window_bits) - 3;
  const std::size_t first = start > max_distance ? start - max_distance : 0;
  std::vector<std::int64_t> head(std::size_t{1} << kHashBits, -1);
  std::vector<std::int64_t> previous(end - first, -1);  // by position less `first`
  auto insert = [&](std::size_t at) {
    if (at + 3 > data.size()) return;
    const std::uint32_t h = Hash(data, at);
    previous[at - first] = head[h];
    head[h] = static_cast<std::int64_t>(at);
  };
  for (std::size_t at = first; at < start; ++at)
    insert(at);
  std::vector<LzxToken> tokens;
  for (std::size_t at = start; at < end;) {
    // Never past the end, nor across a frame's end.
    const std::size_t frame_end = (at / codec::kLzxFrameSize + 1) * codec::kLzxFrameSize;
    const std::size_t limit = std::min({end, frame_end, at + codec::kLzxMaxMatch}) - at;
    std::size_t best = 0;
    std::uint32_t best_offset = 0;
    for (std::uint32_t r = 0; r < 3; ++r) {
      if (repeated[r] > at) continue;
      const std::size_t n = MatchLength(data, at, at - repeated[r], limit);
      if (n > best) {
        best = n;
        best_offset = r;
      }
    }
    if (at + 3 <= data.size()) {
      std::int64_t candidate = head[Hash(data, at)];
      for (std::size_t depth = 0; depth < kChainDepth && candidate >= 0; ++depth) {
        const auto from = static_cast<std::size_t>(candidate);
        if (at - from > max_distance) break;
        const std::size_t n = MatchLength(data, at, from, limit);
        if (n > best + 1) {  // a repeat is worth a byte more than a new distance
          best = n;
          best_offset = codec::LzxDistance(static_cast<std::uint32_t>(at - from));
        }
        candidate = previous[from - first];
      }
    }
    if (best >= codec::kLzxMinMatch + (best_offset >= 3 ? 1 : 0)) {
      tokens.push_back(LzxToken::Match(static_cast<std::uint32_t>(best), best_offset));
      codec::UpdateRepeated(repeated, best_offset);
    } else {
      best = 1;
      tokens.push_back(LzxToken::Literal(data[at]));
    }
    for (std::size_t k = 0; k < best; ++k)
      insert(at + k);
    at += best;
  }
  return tokens;
}

std::vector<CraftedBlock> LzxFolder(const Bytes& data, const LzxPlan& plan) {
  Bytes translated = data;
  if (plan.translation_size) {
    for (std::size_t at = 0; at < translated.size(); at += codec::kLzxFrameSize) {
      const std::size_t size = std::min(codec::kLzxFrameSize, translated.size() - at);
      codec::TranslateLzxCalls(std::span(translated).subspan(at, size),
                               static_cast<std::uint32_t>(at), *plan.translation_size);
    }
  }
  CollectedBlocks sink;
  codec::LzxWriter writer(sink, plan.window_bits, plan.translation_size);
  std::size_t index = 0;
  for (std::size_t at = 0; at < translated.size(); at += plan.block_size, ++index) {
    const std::size_t end = std::min(translated.size(), at + plan.block_size);
    if (plan.uncompressed_every_third && index % 3 == 2) {
      writer.WriteUncompressedBlock(std::span(translated).subspan(at, end - at));
      continue;
    }
    codec::LzxRepeated repeated = writer.repeated();
    const std::vector<LzxToken> tokens =
        GreedyTokens(translated, at, end, plan.window_bits, repeated);
    codec::LzxSymbolCounts counts;
    codec::CountLzxSymbols(tokens, plan.type, counts);
    writer.WriteBlock(plan.type, tokens, codec::BuildLzxTrees(counts, plan.window_bits));
  }
  if (writer.Finish() != codec::Error::kOk) return {};
  return sink.blocks;
}

std::optional<Bytes> DecodeLzxFolder(const std::vector<CraftedBlock>& blocks,
                                     unsigned window_bits) {
  codec::LzxDecoder decoder(window_bits);
  Bytes out;
  for (const CraftedBlock& block : blocks) {
    Bytes frame(block.expanded_size);
    if (decoder.Decode(block.coded, frame) != codec::Error::kOk) return std::nullopt;
    out.insert(out.end(), frame.begin(), frame.end());
  }
  return out;
}

std::optional<Bytes> ExtractLzxFolder(Oracle oracle, const std::vector<CraftedBlock>& blocks,
                                      unsigned window_bits) {
  const auto files =
      ExtractWith(oracle, SingleFileCabinet("lzx.bin", codec::LzxType(window_bits), blocks));
  if (!files || files->size() != 1) return std::nullopt;
  return files->begin()->second;
}

}  // namespace codec_test
