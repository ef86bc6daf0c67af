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

double LzxBlockSplitter::Estimate(const LzxBlockStats& before, const LzxBlockStats& after) const {
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
      const double cost = best[i] + Estimate(prefix_[i], prefix_[j]);
      if (cost < best[j]) {
        best[j] = cost;
        from[j] = i;
      }
    }
  }
  std::vector<std::size_t> chosen;
  for (std::size_t j = candidates - 1; j > 0; j = from[j])
    chosen.push_back(j);
  std::reverse(chosen.begin(), chosen.end());
  return Refine(tokens, chosen);
}

std::vector<std::size_t> LzxBlockSplitter::Refine(std::span<const LzxToken> tokens,
                                                  std::span<const std::size_t> chosen) {
  std::vector<std::size_t> ends;
  std::size_t start = 0;  // the token where the current block starts, and the stats before it
  LzxBlockStats before;
  for (std::size_t k = 0; k + 1 < chosen.size(); ++k) {
    const std::size_t cut = chosen[k];
    const LzxBlockStats& after = prefix_[chosen[k + 1]];
    // From the candidate before the cut (or the block's start) to the candidate after it; the
    // cut itself is among the places tried.
    std::size_t at = std::max(cuts_[cut - 1], start);
    running_ = at == start ? before : prefix_[cut - 1];
    const std::size_t stop = cuts_[std::min(cut + 1, chosen[k + 1])];
    double best = std::numeric_limits<double>::infinity();
    std::size_t best_at = cuts_[cut];
    std::uint32_t tried = running_.size;
    for (; at < stop; running_.Add(tokens[at++])) {
      if (at == start || (running_.size < tried + kFineGrain && at != cuts_[cut])) continue;
      tried = running_.size;
      const double cost = Estimate(before, running_) + Estimate(running_, after);
      if (cost < best) {
        best = cost;
        best_at = at;
        best_ = running_;
      }
    }
    ends.push_back(best_at);
    start = best_at;
    before = best_;
  }
  ends.push_back(tokens.size());
  return ends;
}

}  // namespace codec
