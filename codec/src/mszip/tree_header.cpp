#include "mszip/tree_header.h"

#include <algorithm>
#include <limits>

#include "bits/code_lengths.h"

namespace codec::deflate {
namespace {

constexpr std::uint32_t kCountBits = 5 + 5 + 4;  // the three counts
constexpr std::uint32_t kLengthFieldBits = 3;    // each code-length code length

struct Repeat {
  std::uint32_t symbol;
  std::uint32_t shortest;
  std::uint32_t longest;
  std::uint32_t extra_bits;
};
constexpr Repeat kPrevious{kRepeatPrevious, 3, 6, 2};
constexpr Repeat kFewZeros{kShortZeros, 3, 10, 3};
constexpr Repeat kManyZeros{kLongZeros, 11, 138, 7};

// Bits per code-length symbol under the code being tried; a symbol the code lacks costs as much as
// the longest code, which lets the next round take it up if it pays.
using SymbolCosts = std::array<std::uint64_t, kCodeLengthSymbols>;
using SymbolCounts = std::array<std::uint32_t, kCodeLengthSymbols>;

struct Run {
  std::uint8_t value;
  std::uint32_t length;
};

// The cheapest tokens for a run of one value, for every run length up to the longest asked.
//
// A repeat of the previous length (16) must follow a length, or another such repeat, of the same
// run. After zeros written by 17 or 18, decoders disagree on what the previous length is (some
// take the last length written out, some the zero), so a 16 never comes there. Each length of
// the run is therefore reached in one of two states: after a length or a 16, or after 17 or 18
// (the run's start counts as the latter).
class RunTable {
 public:
  RunTable(std::uint8_t value, std::uint32_t longest, const SymbolCosts& costs)
      : states_{State(longest), State(longest)} {
    State& after_length = states_[kAfterLength];
    after_length.cost[0] = kNever;
    // For the long zero repeat, the lengths from which it may start, cheapest first: a sliding
    // minimum over its 128 counts.
    std::vector<std::uint32_t> starts;
    std::size_t first = 0;
    for (std::uint32_t m = 1; m <= longest; ++m) {
      const std::size_t before = Cheaper(m - 1);
      after_length.Offer(m, states_[before].cost[m - 1] + costs[value], {value, 0}, before);
      Offer(kAfterLength, m, kPrevious, costs);
      if (value != 0) continue;
      Offer(kAfterZeros, m, kFewZeros, costs);
      if (m < kManyZeros.shortest) continue;
      const std::uint32_t start = m - kManyZeros.shortest;
      // Of equal costs the latest start is kept: the shortest repeat, as the other repeats do.
      while (starts.size() > first && CheapestCost(starts.back()) >= CheapestCost(start))
        starts.pop_back();
      starts.push_back(start);
      if (starts[first] + kManyZeros.longest < m) ++first;
      const std::uint32_t from = starts[first];
      states_[kAfterZeros].Offer(
          m, CheapestCost(from) + costs[kLongZeros] + kManyZeros.extra_bits,
          {kLongZeros, static_cast<std::uint8_t>(m - from - kManyZeros.shortest)}, Cheaper(from));
    }
  }

  std::uint64_t Cost(std::uint32_t length) const { return CheapestCost(length); }

  void AppendTokens(std::uint32_t length, std::vector<CodeLengthToken>& tokens) const {
    const std::size_t first = tokens.size();
    std::size_t state = Cheaper(length);
    while (length > 0) {
      const State& here = states_[state];
      tokens.push_back(here.last[length]);
      state = here.from[length];
      length -= Covered(here.last[length]);
    }
    std::reverse(tokens.begin() + static_cast<std::ptrdiff_t>(first), tokens.end());
  }

  static std::uint32_t Covered(const CodeLengthToken& token) {
    switch (token.symbol) {
      case kRepeatPrevious:
        return kPrevious.shortest + token.extra;
      case kShortZeros:
        return kFewZeros.shortest + token.extra;
      case kLongZeros:
        return kManyZeros.shortest + token.extra;
      default:
        return 1;
    }
  }

 private:
  static constexpr std::uint64_t kNever = std::numeric_limits<std::uint64_t>::max() / 4;
  static constexpr std::size_t kAfterLength = 0;
  static constexpr std::size_t kAfterZeros = 1;

  struct State {
    explicit State(std::uint32_t longest)
        : cost(longest + 1, kNever), last(longest + 1), from(longest + 1, kAfterZeros) {
      cost[0] = 0;
    }
    void Offer(std::uint32_t m, std::uint64_t offered, CodeLengthToken token, std::size_t before) {
      if (offered >= cost[m]) return;
      cost[m] = offered;
      last[m] = token;
      from[m] = before;
    }
    std::vector<std::uint64_t> cost;
    std::vector<CodeLengthToken> last;  // the token that ends the cheapest way here
    std::vector<std::size_t> from;      // the state before that token
  };

  std::size_t Cheaper(std::uint32_t m) const {
    return states_[kAfterLength].cost[m] < states_[kAfterZeros].cost[m] ? kAfterLength
                                                                        : kAfterZeros;
  }

  std::uint64_t CheapestCost(std::uint32_t m) const { return states_[Cheaper(m)].cost[m]; }

  // Ends the first m lengths with `repeat` in state `state`: a 16 after a length or a 16 of this
  // run, a 17 after anything.
  void Offer(std::size_t state, std::uint32_t m, const Repeat& repeat, const SymbolCosts& costs) {
    const std::uint64_t token_cost = costs[repeat.symbol] + repeat.extra_bits;
    for (std::uint32_t n = repeat.shortest; n <= repeat.longest && n <= m; ++n) {
      const std::size_t before = state == kAfterLength ? kAfterLength : Cheaper(m - n);
      const std::uint64_t cost = states_[before].cost[m - n] + token_cost;
      states_[state].Offer(m, cost,
                           {static_cast<std::uint8_t>(repeat.symbol),
                            static_cast<std::uint8_t>(n - repeat.shortest)},
                           before);
    }
  }

  std::array<State, 2> states_;
};

// The two trees' lengths as the header sees them: the listed literal/length codes, then the
// distance codes; `spare_zeros` unused literal/length codes may be listed on top.
struct Sequence {
  std::vector<Run> head;  // the literal/length runs up to the last used code
  std::vector<Run> tail;  // the distance runs after their leading zeros
  std::uint32_t leading_zeros = 0;
  std::uint32_t spare_zeros = 0;
  std::uint32_t literal_length_count = 0;
  std::uint32_t distance_count = 0;
};

void AppendRuns(std::span<const std::uint8_t> lengths, std::vector<Run>& runs) {
  for (const std::uint8_t length : lengths) {
    if (!runs.empty() && runs.back().value == length) {
      ++runs.back().length;
    } else {
      runs.push_back({length, 1});
    }
  }
}

std::uint32_t UsedCount(std::span<const std::uint8_t> lengths, std::uint32_t least) {
  std::uint32_t count = least;
  for (std::uint32_t symbol = 0; symbol < lengths.size(); ++symbol)
    if (lengths[symbol] != 0) count = std::max(count, symbol + 1);
  return count;
}

Sequence Split(std::span<const std::uint8_t> literal_length,
               std::span<const std::uint8_t> distance) {
  Sequence sequence;
  sequence.literal_length_count = UsedCount(literal_length, kFirstLengthSymbol);
  sequence.distance_count = UsedCount(distance, 1);
  sequence.spare_zeros =
      static_cast<std::uint32_t>(kLiteralLengthSymbols) - sequence.literal_length_count;
  AppendRuns(literal_length.first(sequence.literal_length_count), sequence.head);
  while (sequence.leading_zeros < sequence.distance_count &&
         distance[sequence.leading_zeros] == 0) {
    ++sequence.leading_zeros;
  }
  AppendRuns(
      distance.subspan(sequence.leading_zeros, sequence.distance_count - sequence.leading_zeros),
      sequence.tail);
  return sequence;
}

// The cheapest tokens for the sequence under `costs`, with the number of spare zeros listed.
struct Tokens {
  std::vector<CodeLengthToken> tokens;
  std::uint32_t spare_zeros = 0;
};

Tokens CheapestTokens(const Sequence& sequence, const SymbolCosts& costs) {
  std::array<std::uint32_t, 16> longest{};
  for (const std::vector<Run>* runs : {&sequence.head, &sequence.tail})
    for (const Run& run : *runs)
      longest[run.value] = std::max(longest[run.value], run.length);
  longest[0] = std::max(longest[0], sequence.leading_zeros + sequence.spare_zeros);
  std::vector<RunTable> tables;
  tables.reserve(longest.size());
  for (std::size_t value = 0; value < longest.size(); ++value)
    tables.emplace_back(static_cast<std::uint8_t>(value), longest[value], costs);

  // Spare zeros only change the run between the two trees; the rest costs the same either way.
  Tokens best;
  std::uint64_t best_cost = std::numeric_limits<std::uint64_t>::max();
  for (std::uint32_t spare = 0; spare <= sequence.spare_zeros; ++spare) {
    const std::uint64_t cost = tables[0].Cost(spare + sequence.leading_zeros);
    if (cost < best_cost) {
      best_cost = cost;
      best.spare_zeros = spare;
    }
  }
  for (const Run& run : sequence.head)
    tables[run.value].AppendTokens(run.length, best.tokens);
  tables[0].AppendTokens(best.spare_zeros + sequence.leading_zeros, best.tokens);
  for (const Run& run : sequence.tail)
    tables[run.value].AppendTokens(run.length, best.tokens);
  return best;
}

SymbolCounts CountTokens(const std::vector<CodeLengthToken>& tokens) {
  SymbolCounts counts{};
  for (const CodeLengthToken& token : tokens)
    ++counts[token.symbol];
  return counts;
}

std::uint32_t ExtraBits(std::uint32_t symbol) {
  switch (symbol) {
    case kRepeatPrevious:
      return kPrevious.extra_bits;
    case kShortZeros:
      return kFewZeros.extra_bits;
    case kLongZeros:
      return kManyZeros.extra_bits;
    default:
      return 0;
  }
}

// The header for these tokens with the best code-length code for them.
TreeHeader Complete(const Sequence& sequence, Tokens tokens) {
  TreeHeader header;
  header.literal_length_count = sequence.literal_length_count + tokens.spare_zeros;
  header.distance_count = sequence.distance_count;
  header.tokens = std::move(tokens.tokens);
  SymbolCounts counts = CountTokens(header.tokens);
  // A code of one symbol would be incomplete; some decoders refuse that.
  if (std::count_if(counts.begin(), counts.end(), [](std::uint32_t n) { return n != 0; }) < 2) {
    counts[counts[0] == 0 ? 0 : 1] = 1;
  }
  BuildCodeLengths(counts, kMaxCodeLengthCodeLength, header.code_length_lengths);
  header.code_length_count = 4;
  for (std::uint32_t i = 0; i < kCodeLengthSymbols; ++i)
    if (header.code_length_lengths[kCodeLengthOrder[i]] != 0)
      header.code_length_count = std::max(header.code_length_count, i + 1);
  header.bits = kCountBits + kLengthFieldBits * header.code_length_count;
  for (const CodeLengthToken& token : header.tokens)
    header.bits += header.code_length_lengths[token.symbol] + ExtraBits(token.symbol);
  return header;
}

SymbolCosts CostsOf(const std::array<std::uint8_t, kCodeLengthSymbols>& lengths) {
  SymbolCosts costs{};
  for (std::size_t symbol = 0; symbol < kCodeLengthSymbols; ++symbol)
    costs[symbol] = lengths[symbol] != 0 ? lengths[symbol] : kMaxCodeLengthCodeLength;
  return costs;
}

// Starting codes: every symbol alike (repeats then win wherever they cover their extra bits), and
// literal lengths made dear (long repeats preferred), and made cheap (repeats only when long).
constexpr std::array<SymbolCosts, 3> kStarts = {{
    {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4},
    {5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 5, 2, 2, 2},
    {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 6, 6, 6},
}};
constexpr int kMaxRounds = 8;

}  // namespace

TreeHeader EncodeTreeHeader(std::span<const std::uint8_t> literal_length_lengths,
                            std::span<const std::uint8_t> distance_lengths) {
  const Sequence sequence = Split(literal_length_lengths, distance_lengths);
  TreeHeader best;
  best.bits = std::numeric_limits<std::uint32_t>::max();
  for (const SymbolCosts& start : kStarts) {
    SymbolCosts costs = start;
    std::uint32_t previous = std::numeric_limits<std::uint32_t>::max();
    for (int round = 0; round < kMaxRounds; ++round) {
      TreeHeader header = Complete(sequence, CheapestTokens(sequence, costs));
      if (header.bits >= previous) break;
      previous = header.bits;
      const SymbolCosts next = CostsOf(header.code_length_lengths);
      if (header.bits < best.bits) best = std::move(header);
      if (next == costs) break;
      costs = next;
    }
  }
  return best;
}

void WriteTreeHeader(const TreeHeader& header, BitWriter& out) {
  out.Put(header.literal_length_count - kFirstLengthSymbol, 5);
  out.Put(header.distance_count - 1, 5);
  out.Put(header.code_length_count - 4, 4);
  for (std::uint32_t i = 0; i < header.code_length_count; ++i)
    out.Put(header.code_length_lengths[kCodeLengthOrder[i]], kLengthFieldBits);
  const auto codes = WriterCodes(header.code_length_lengths);
  for (const CodeLengthToken& token : header.tokens) {
    out.Put(codes[token.symbol], header.code_length_lengths[token.symbol]);
    out.Put(token.extra, ExtraBits(token.symbol));
  }
}

}  // namespace codec::deflate
