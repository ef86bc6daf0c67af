#include "lzx/lzx_segment_coder.h"

#include <limits>

#include "lzx/lzx_block_choice.h"
#include "lzx/lzx_cost_model.h"

namespace codec {
namespace {

// The block type whose costs the next parse takes: aligned when it codes these symbols smaller.
LzxBlockType FavouredType(const LzxBlockStats& stats, unsigned window_bits) {
  const LzxTreeLengths lengths = BuildLzxTrees(stats.counts, window_bits);
  const std::uint64_t aligned = LzxDataBits(stats, LzxBlockType::kAligned, lengths) +
                                std::uint64_t{kLzxAlignedSymbols} * kLzxAlignedLengthBits;
  return aligned < LzxDataBits(stats, LzxBlockType::kVerbatim, lengths) ? LzxBlockType::kAligned
                                                                        : LzxBlockType::kVerbatim;
}

LzxBlockStats StatsOf(std::span<const LzxToken> tokens) {
  LzxBlockStats stats;
  stats.Add(tokens);
  return stats;
}

}  // namespace

LzxBlockStats LzxSegmentCoder::Greedy(const LzxMatchTable& table,
                                      std::span<const std::uint8_t> bytes, std::uint32_t from,
                                      std::uint32_t to, LzxRepeated repeated) {
  constexpr std::uint32_t kShortest = 3;
  round_.clear();
  for (std::uint32_t at = from; at < to;) {
    const auto matches = table.At(at);
    LzxStep step;
    if (!matches.empty() && matches.back().length() >= kShortest) {
      step = {std::min(matches.back().length(), to - at), matches.back().distance()};
    }
    round_.push_back(step);
    at += step.length;
  }
  tokens_.clear();
  AppendTokens(round_, bytes.subspan(from), repeated, tokens_);
  return StatsOf(tokens_);
}

void LzxSegmentCoder::Parse(const LzxMatchTable& table, std::span<const std::uint8_t> bytes,
                            std::uint32_t from, std::uint32_t to, const LzxCostModel& model,
                            LzxRepeated& repeated, std::vector<LzxStep>& steps,
                            std::vector<LzxToken>& tokens) {
  LzxRepeated coded = repeated;
  steps.clear();
  parser_.Run(table, bytes, from, to, model, kLongMatch, repeated, steps);
  tokens.clear();
  AppendTokens(steps, bytes.subspan(from), coded, tokens);
}

void LzxSegmentCoder::Refine(const LzxMatchTable& table, std::span<const std::uint8_t> bytes,
                             std::uint32_t from, std::uint32_t to, LzxBlockStats stats,
                             LzxRepeated& repeated, std::vector<LzxStep>& steps) {
  const LzxRepeated before = repeated;
  std::uint64_t best_bits = std::numeric_limits<std::uint64_t>::max();
  const std::size_t start = steps.size();
  for (int round = 0; round < kRounds; ++round) {
    const LzxCostModel model(stats.counts, FavouredType(stats, window_bits_), window_bits_);
    LzxRepeated after = before;
    Parse(table, bytes, from, to, model, after, round_, tokens_);
    stats = StatsOf(tokens_);
    const std::uint64_t bits = ChooseLzxBlock(stats, {}, window_bits_).bits;
    if (bits < best_bits) {
      best_bits = bits;
      steps.resize(start);
      steps.insert(steps.end(), round_.begin(), round_.end());
      repeated = after;
    }
  }
}

void LzxSegmentCoder::Plan(const LzxMatchTable& table, std::span<const std::uint8_t> bytes,
                           std::uint32_t from, std::uint32_t to, const LzxRepeated& repeated,
                           LzxSegmentPlan& plan) {
  plan.steps.clear();
  plan.blocks.clear();
  // Room for a step per byte, the most there can be, so that growing never doubles it.
  for (std::vector<LzxStep>* steps : {&plan.steps, &first_, &round_})
    steps->reserve(to - from);
  first_tokens_.reserve(to - from);
  tokens_.reserve(to - from);
  const LzxBlockStats greedy = Greedy(table, bytes, from, to, repeated);
  const LzxCostModel first(greedy.counts, LzxBlockType::kVerbatim, window_bits_);
  LzxRepeated after = repeated;
  Parse(table, bytes, from, to, first, after, first_, first_tokens_);

  LzxRepeated running = repeated;
  std::size_t token = 0;
  std::uint32_t at = from;
  for (const std::size_t end : splitter_.Split(first_tokens_)) {
    LzxBlockStats stats;
    stats.Add(std::span(first_tokens_).subspan(token, end - token));
    const std::uint32_t block_end = at + stats.size;
    Refine(table, bytes, at, block_end, stats, running, plan.steps);
    plan.blocks.push_back({plan.steps.size(), stats.size});
    token = end;
    at = block_end;
  }
}

}  // namespace codec
