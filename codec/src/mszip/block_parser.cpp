#include "mszip/block_parser.h"

#include <utility>

namespace codec::deflate {

Block BlockParser::Dynamic(const lz::MatchTable& table, std::span<const std::uint8_t> bytes,
                           std::uint32_t from, std::uint32_t to, const CostModel& first,
                           int rounds) {
  const std::span<const std::uint8_t> stretch = bytes.subspan(from, to - from);
  Block best;
  best.type = BlockType::kDynamic;
  best.size = to - from;
  CostModel model = first;
  for (int round = 0; round < rounds; ++round) {
    Block block;
    block.type = BlockType::kDynamic;
    block.size = best.size;
    path_.Run(table, bytes, from, to, model, block.steps);
    const SymbolCounts counts = CountSymbols(stretch, block.steps);
    block.code = BestCode(counts);
    block.header = EncodeTreeHeader(block.code.literal_length, block.code.distance);
    block.bits = HuffmanBits(BlockType::kDynamic, counts, block.code, block.header);
    if (round > 0 && block.bits >= best.bits) break;
    model = CostModel::OfCode(block.code);
    best = std::move(block);
  }
  return best;
}

Block BlockParser::Fixed(const lz::MatchTable& table, std::span<const std::uint8_t> bytes,
                         std::uint32_t from, std::uint32_t to) {
  Block block;
  block.type = BlockType::kFixed;
  block.size = to - from;
  block.code = kFixedCode;
  path_.Run(table, bytes, from, to, CostModel::OfCode(kFixedCode), block.steps);
  block.bits =
      HuffmanBits(BlockType::kFixed, CountSymbols(bytes.subspan(from, block.size), block.steps),
                  block.code, block.header);
  return block;
}

}  // namespace codec::deflate
