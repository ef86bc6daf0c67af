#include "mszip/block_splitter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "mszip/deflate_block.h"
#include "mszip/deflate_tables.h"

namespace codec::deflate {
namespace {

// A dynamic block's header, from the codes its trees hold and the runs of unused codes between
// them: fitted on the exact headers of a varied corpus (within about 50 bits of them).
constexpr float kHeaderBase = 24;
constexpr float kHeaderPerLiteralLength = 2;
constexpr float kHeaderPerDistance = 8.5F;
constexpr float kHeaderPerUnusedRun = 6.5F;
// Where a stored block starts inside a byte is not known yet: half a byte of padding.
constexpr float kStoredPadding = 4;

template <std::size_t N>
void Subtract(std::array<std::uint32_t, N>& from, const std::array<std::uint32_t, N>& counts) {
  for (std::size_t i = 0; i < N; ++i)
    from[i] -= counts[i];
}

SymbolCounts Difference(const SymbolCounts& later, const SymbolCounts& earlier) {
  SymbolCounts counts = later;
  Subtract(counts.literal_length, earlier.literal_length);
  Subtract(counts.distance, earlier.distance);
  return counts;
}

std::uint32_t UnusedRuns(std::span<const std::uint32_t> counts) {
  std::uint32_t runs = 0;
  bool in_run = false;
  for (const std::uint32_t count : counts) {
    if (count == 0 && !in_run) ++runs;
    in_run = count == 0;
  }
  return runs;
}

}  // namespace

void BlockSplitter::ExtendTable(std::size_t largest) {
  if (n_log_n_.empty()) n_log_n_.push_back(0);
  for (std::size_t n = n_log_n_.size(); n <= largest; ++n)
    n_log_n_.push_back(
        static_cast<float>(static_cast<double>(n) * std::log2(static_cast<double>(n))));
}

float BlockSplitter::Entropy(std::span<const std::uint32_t> counts) const {
  std::uint32_t total = 0;
  float sum = 0;
  for (const std::uint32_t count : counts) {
    total += count;
    sum += n_log_n_[count];
  }
  return n_log_n_[total] - sum;
}

float BlockSplitter::Estimate(const SymbolCounts& counts, std::uint32_t size) const {
  std::uint64_t extra = 0;
  std::uint32_t used_literal_length = 0;
  std::uint32_t used_distance = 0;
  for (std::size_t slot = 0; slot < kLengthRanges.size(); ++slot)
    extra +=
        std::uint64_t{counts.literal_length[kFirstLengthSymbol + slot]} * kLengthRanges[slot].extra;
  for (std::size_t symbol = 0; symbol < kDistanceSymbols; ++symbol) {
    extra += std::uint64_t{counts.distance[symbol]} * kDistanceRanges[symbol].extra;
    if (counts.distance[symbol] != 0) ++used_distance;
  }
  for (const std::uint32_t count : counts.literal_length)
    if (count != 0) ++used_literal_length;
  const float header =
      kHeaderBase + kHeaderPerLiteralLength * static_cast<float>(used_literal_length) +
      kHeaderPerDistance * static_cast<float>(used_distance) +
      kHeaderPerUnusedRun *
          static_cast<float>(UnusedRuns(counts.literal_length) + UnusedRuns(counts.distance));
  const float dynamic = 3 + header + Entropy(counts.literal_length) + Entropy(counts.distance) +
                        static_cast<float>(extra);
  const auto fixed = static_cast<float>(HuffmanBits(BlockType::kFixed, counts, kFixedCode, {}));
  const float stored = static_cast<float>(StoredBits(size, 0)) + kStoredPadding;
  return std::min({dynamic, fixed, stored});
}

std::vector<BlockSplitter::Piece> BlockSplitter::Split(std::span<const std::uint8_t> bytes,
                                                       std::span<const lz::Step> steps) {
  ExtendTable(steps.size() + 1);  // no count exceeds the steps and the end of block
  // Candidate cuts, with the symbols before each.
  prefix_.assign(1, SymbolCounts{});
  offsets_.assign(1, 0);
  SymbolCounts running;
  std::uint32_t at = 0;
  for (const lz::Step& step : steps) {
    CountStep(step, bytes[at], running);
    at += step.length;
    if (at >= offsets_.back() + kGrain && bytes.size() - at >= kGrain / 2) {
      prefix_.push_back(running);
      offsets_.push_back(at);
    }
  }
  prefix_.push_back(running);
  offsets_.push_back(at);

  const auto piece = [&](std::size_t i, std::size_t j) {
    Piece result{offsets_[i], offsets_[j], Difference(prefix_[j], prefix_[i])};
    ++result.counts.literal_length[kEndOfBlock];
    return result;
  };
  // best[j]: the cheapest blocks up to candidate j, the last of them starting at candidate from[j].
  std::vector<float> best;
  std::vector<std::size_t> from;
  best.push_back(0);
  from.push_back(0);
  for (std::size_t j = 1; j < offsets_.size(); ++j) {
    best.push_back(std::numeric_limits<float>::infinity());
    from.push_back(0);
    for (std::size_t i = 0; i < j; ++i) {
      const Piece candidate = piece(i, j);
      const float cost = best[i] + Estimate(candidate.counts, candidate.end - candidate.begin);
      if (cost < best[j]) {
        best[j] = cost;
        from[j] = i;
      }
    }
  }
  std::vector<Piece> pieces;
  for (std::size_t j = offsets_.size() - 1; j > 0; j = from[j])
    pieces.push_back(piece(from[j], j));
  std::reverse(pieces.begin(), pieces.end());
  return pieces;
}

}  // namespace codec::deflate
