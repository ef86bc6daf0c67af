#include "mszip/mszip_block_encoder.h"

#include <array>
#include <utility>

#include "mszip/bit_writer.h"
#include "mszip/deflate_tables.h"

namespace codec {
namespace {

using deflate::Block;
using deflate::BlockType;
using deflate::CostModel;

constexpr std::array<std::uint8_t, 2> kSignature = {'C', 'K'};
// Parses of the whole block, then of each block it is cut into. More rounds gain a few
// hundredths of a percent.
constexpr int kRounds = 3;
constexpr int kPieceRounds = 3;

lz::FinderSettings DeflateSettings() {
  lz::FinderSettings settings;
  settings.max_distance = deflate::kMaxDistance;
  settings.min_length = deflate::kMinMatch;
  settings.max_length = deflate::kMaxMatch;
  return settings;
}

// The size of a plan's blocks from `bit_position` on, stored blocks aligned where they fall.
std::uint64_t PlanBits(const std::vector<Block>& plan, std::uint64_t bit_position) {
  std::uint64_t position = bit_position;
  for (const Block& block : plan)
    position +=
        block.type == BlockType::kStored ? deflate::StoredBits(block.size, position) : block.bits;
  return position - bit_position;
}

}  // namespace

MsZipBlockEncoder::MsZipBlockEncoder() : finder_(DeflateSettings()) {}

Block MsZipBlockEncoder::Cheapest(std::span<const std::uint8_t> bytes, std::uint32_t from,
                                  std::uint32_t to, Block dynamic) {
  Block fixed = parser_.Fixed(table_, bytes, from, to);
  // A stored block is priced here as if its header ended a byte, its least; the plan's exact
  // size counts where it really falls.
  Block stored;
  stored.size = to - from;
  stored.bits = deflate::StoredBits(stored.size, 5);
  Block* best = &stored;
  for (Block* block : {&fixed, &dynamic})
    if (block->bits < best->bits) best = block;
  return std::move(*best);
}

void MsZipBlockEncoder::Encode(std::span<const std::uint8_t> bytes, std::uint32_t history,
                               std::vector<std::uint8_t>& out) {
  const auto end = static_cast<std::uint32_t>(bytes.size());
  finder_.Reset(bytes);
  for (std::uint32_t position = 0; position < history; ++position)
    finder_.Skip(position);
  table_.Collect(finder_, history, end, deflate::kMaxMatch);

  Block whole =
      parser_.Dynamic(table_, bytes, history, end, CostModel::OfCode(deflate::kFixedCode), kRounds);
  std::vector<Block> split;
  const std::span<const std::uint8_t> block = bytes.subspan(history);
  const auto pieces = splitter_.Split(block, whole.steps);
  for (std::size_t i = 0; pieces.size() > 1 && i < pieces.size(); ++i) {
    const std::uint32_t from = history + pieces[i].begin;
    const std::uint32_t to = history + pieces[i].end;
    const CostModel start = CostModel::OfCode(deflate::BestCode(pieces[i].counts));
    split.push_back(
        Cheapest(bytes, from, to, parser_.Dynamic(table_, bytes, from, to, start, kPieceRounds)));
  }
  std::vector<Block> unsplit;
  unsplit.push_back(Cheapest(bytes, history, end, std::move(whole)));

  out.insert(out.end(), kSignature.begin(), kSignature.end());
  deflate::BitWriter writer(out);
  const bool cut = !split.empty() && PlanBits(split, writer.bit_position()) <
                                         PlanBits(unsplit, writer.bit_position());
  const std::vector<Block>& plan = cut ? split : unsplit;
  std::uint32_t at = 0;
  for (std::size_t i = 0; i < plan.size(); ++i) {
    deflate::WriteBlock(plan[i], block.subspan(at, plan[i].size), i + 1 == plan.size(), writer);
    at += plan[i].size;
  }
  writer.Align();
}

}  // namespace codec
