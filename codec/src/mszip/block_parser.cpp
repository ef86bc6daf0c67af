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
    path_.Run(table, bytes, from, to, model, steps_);
    const SymbolCounts counts = CountSymbols(stretch, steps_);
    const BlockCode code = BestCode(counts);
    TreeHeader header = EncodeTreeHeader(
        std::span(code.literal_length).first(kLiteralLengthSymbols), code.distance);
    const std::uint64_t bits = HuffmanBits(BlockType::kDynamic, counts, code, header);
    if (round == 0 || bits < best.bits) {
      std::swap(best.steps, steps_);
      best.code = code;
      best.header = std::move(header);
      best.bits = bits;
    }
    model = CostModel::OfCounts(counts);
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
