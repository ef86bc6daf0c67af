#include "lzx/lzx_block_splitter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "lzx/lzx_block_choice.h"

namespace codec {
namespace {

// A block's header and trees: the block header, the pretrees, and a few bits for each code length
// sent. Fitted on the exact headers of the benchmark corpus.
constexpr double kHeaderBits = 300;
constexpr double kBitsPerLength = 3.5;

// n * log2(n) for every count a stretch can hold.
const std::vector<float>& NLogN() {
  static const std::vector<float> table = [] {
    std::vector<float> values(LzxBlockSplitter::kMostBytes + 2, 0);
    for (std::size_t n = 1; n < values.size(); ++n)
      values[n] = static_cast<float>(static_cast<double>(n) * std::log2(static_cast<double>(n)));
    return values;
  }();
  return table;
}

// The entropy of the symbols counted between two prefixes, and how many symbols are used.
template <std::size_t N>
double Entropy(const std::array<std::uint32_t, N>& after,
               const std::array<std::uint32_t, N>& before, std::uint32_t& used) {
  const std::vector<float>& n_log_n = NLogN();
  std::uint32_t total = 0;
  double sum = 0;
  for (std::size_t symbol = 0; symbol < N; ++symbol) {
    const std::uint32_t count = after[symbol] - before[symbol];
    if (count == 0) continue;
    total += count;
    sum += n_log_n[count];
    ++used;
  }
  return n_log_n[total] - sum;
}

}  // namespace

double LzxBlockSplitter::Estimate(std::size_t first, std::size_t last) const {
  const LzxBlockStats& before = prefix_[first];
  const LzxBlockStats& after = prefix_[last];
  std::uint32_t used = 0;
  std::uint32_t aligned_used = 0;
  const double symbols = Entropy(after.counts.main, before.counts.main, used) +
                         Entropy(after.counts.length, before.counts.length, used);
  const double header = kHeaderBits + kBitsPerLength * used;
  const auto extra = static_cast<double>(after.extra_bits - before.extra_bits);
  const double verbatim = header + symbols + extra;
  const double aligned =
      header + symbols + extra -
      kLzxAlignedBits * static_cast<double>(after.aligned_offsets - before.aligned_offsets) +
      Entropy(after.counts.aligned, before.counts.aligned, aligned_used) +
      kLzxAlignedSymbols * kLzxAlignedLengthBits;
  const auto uncompressed = static_cast<double>(LzxUncompressedBits(after.size - before.size));
  return std::min({verbatim, aligned, uncompressed});
}

std::vector<std::size_t> LzxBlockSplitter::Split(std::span<const LzxToken> tokens) {
  prefix_.assign(1, LzxBlockStats{});
  cuts_.assign(1, 0);
  LzxBlockStats running;
  std::uint32_t total = 0;
  for (const LzxToken& token : tokens)
    total += token.size();
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    running.Add(tokens[i]);
    const std::uint32_t since = running.size - prefix_.back().size;
    if ((since >= kGrain && total - running.size >= kGrain / 2) || i + 1 == tokens.size()) {
      prefix_.push_back(running);
      cuts_.push_back(i + 1);
    }
  }
  // best[j]: the cheapest blocks up to candidate j, the last of them starting at candidate from[j].
  const std::size_t candidates = cuts_.size();
  std::vector<double> best{0};
  best.resize(candidates, std::numeric_limits<double>::infinity());
  std::vector<std::size_t> from(candidates, 0);
  for (std::size_t j = 1; j < candidates; ++j) {
    for (std::size_t i = 0; i < j; ++i) {
      const double cost = best[i] + Estimate(i, j);
      if (cost < best[j]) {
        best[j] = cost;
        from[j] = i;
      }
    }
  }
  std::vector<std::size_t> ends;
  for (std::size_t j = candidates - 1; j > 0; j = from[j])
    ends.push_back(cuts_[j]);
  std::reverse(ends.begin(), ends.end());
  return ends;
}

}  // namespace codec
