#include "szdd/optimal_parser.h"

#include <algorithm>
#include <bit>

#include "common/format.h"

namespace codec {
namespace {

constexpr std::uint64_t kLiteralBits = 9;
constexpr std::uint64_t kMatchBits = 17;
// Bytes kept behind the oldest position a search may reach back from.
constexpr std::int64_t kSearchReach = kWindowSize + 2 * kSzddMaxMatch;
// Positions between two decisions, at least (less only under a smaller cap).
constexpr std::int64_t kDecideEvery = 1024;

// Between decisions the undecided stretch may pass the cap by half of it at most.
std::size_t Span(std::size_t pending_limit) {
  return pending_limit + pending_limit / 2 + 64;
}

}  // namespace

OptimalParser::OptimalParser(std::uint64_t length, SzddItemSink& items, std::size_t pending_limit)
    : finder_(length, Span(pending_limit) + kSearchReach),
      items_(items),
      length_(static_cast<std::int64_t>(length)),
      pending_limit_(pending_limit),
      nodes_(std::bit_ceil(Span(pending_limit))),
      node_mask_(nodes_.size() - 1) {
  next_decide_ = MinInterval();
}

void OptimalParser::Feed(std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    if (finder_.free_space() == 0) finder_.DiscardBefore(std::min(root_, done_ - kSearchReach));
    const std::size_t n = std::min(bytes.size(), finder_.free_space());
    finder_.Append(bytes.first(n));
    bytes = bytes.subspan(n);
    Run(false);
  }
}

void OptimalParser::Finish() {
  Run(true);
  Decide(true);
}

void OptimalParser::Run(bool final) {
  // A search at p needs p + MatchFinder::kLookahead bytes, and p <= target - 3.
  const std::int64_t last = final ? length_ : finder_.appended() - 1 - MatchFinder::kLookahead;
  while (done_ < std::min(length_, last)) {
    Step(++done_);
    RideMatch(std::min({length_, last, next_decide_}));
    if (done_ >= next_decide_) Decide(false);
  }
}

// Inside a match from the queue's front, once the last positions all cost one match more than
// the front, every further position up to the match's end costs the same, through the front: a
// literal costs more, and each node entering the queue at that cost replaces the previous one.
// Those positions are filled at once, without the queue or any search.
void OptimalParser::RideMatch(std::int64_t until) {
  if (queue_head_ == queue_tail_) return;
  const Candidate& front = QueueAt(queue_head_);
  Candidate& back = QueueAt(queue_tail_ - 1);
  const std::uint64_t cost = CostAt(done_);
  if (front.end == kNotSearched || front.cost + kMatchBits != cost || back.node != done_ - 3 ||
      back.cost != cost || CostAt(done_ - 1) != cost || CostAt(done_ - 2) != cost) {
    return;
  }
  const std::int64_t end = std::min(front.end, until);
  if (end <= done_) return;
  for (std::int64_t target = done_ + 1; target <= end; ++target) {
    At(target) = Node(static_cast<std::uint32_t>(target - front.node));
  }
  done_ = end;
  back.node = done_ - 3;
  for (std::int64_t position = done_ - 2; position <= done_; ++position)
    CostAt(position) = cost;
}

void OptimalParser::Step(std::int64_t target) {
  // The node three back may now start a match into the target.
  if (target >= 3 && CostAt(target - 3) != kUnreachable) {
    const std::uint64_t entering = CostAt(target - 3);
    while (queue_tail_ != queue_head_ && QueueAt(queue_tail_ - 1).cost >= entering) {
      // A later node at no higher cost reaches at least as far: the older one is of no more use.
      --queue_tail_;
    }
    // Filled in place: a temporary copied in whole stalls on its own fresh stores.
    Candidate& slot = QueueAt(queue_tail_++);
    slot.node = target - 3;
    slot.cost = entering;
    slot.end = kNotSearched;
  }
  std::int64_t from = target - 1;
  std::uint64_t cost = CostAt(from) + kLiteralBits;
  // Costs rise from the queue's front to its back, so once the front cannot beat the literal no
  // candidate can, and nothing needs searching: a node is searched only when it might win.
  while (queue_tail_ != queue_head_) {
    Candidate& front = QueueAt(queue_head_);
    if (front.node + static_cast<std::int64_t>(kSzddMaxMatch) < target) {
      ++queue_head_;  // too far back for any match to reach the target
      continue;
    }
    if (front.cost + kMatchBits >= cost) break;
    if (front.end == kNotSearched) {
      const MatchResult match = finder_.Find(front.node);
      front.end = front.node + match.length;
      if (match.length > 0) At(front.node).set_distance(match.distance);
    }
    if (front.end >= target) {
      cost = front.cost + kMatchBits;
      from = front.node;
      break;
    }
    ++queue_head_;  // its matches end before the target, and before every later one
  }
  At(target) = Node(static_cast<std::uint32_t>(target - from));
  CostAt(target) = cost;
}

void OptimalParser::Decide(bool finish) {
  std::int64_t ancestor = CommonAncestor();
  const auto undecided = static_cast<std::uint64_t>(done_ - ancestor);
  stats_.max_pending = std::max(stats_.max_pending, undecided);
  const bool forced = undecided >= pending_limit_;
  if (forced) ++stats_.forced_commits;
  if (finish || forced) {
    // The newest node alone goes on: the others may no more start a step.
    queue_head_ = queue_tail_;
    for (std::int64_t position = std::max(root_, done_ - 2); position < done_; ++position) {
      CostAt(position) = kUnreachable;
    }
    ancestor = done_;
  }
  Emit(ancestor);
  // Deciding again once the stretch has grown by half keeps the walks linear in the input; as
  // the stretch is now under the cap, it stays under Span() until then.
  next_decide_ = done_ + std::max(MinInterval(), (done_ - root_) / 2);
}

std::int64_t OptimalParser::MinInterval() const {
  return std::min(kDecideEvery,
                  std::max<std::int64_t>(1, static_cast<std::int64_t>(pending_limit_) / 2));
}

std::int64_t OptimalParser::CommonAncestor() {
  // Walking down from the newest position, bit i stands for position p - i being on the chain of
  // some open node; the first position that is the only one left is where all chains meet.
  std::uint64_t live = 0;
  for (std::int64_t position = std::max(root_, done_ - 2); position <= done_; ++position) {
    if (CostAt(position) != kUnreachable) live |= std::uint64_t{1} << (done_ - position);
  }
  for (std::size_t i = queue_head_; i != queue_tail_; ++i) {
    live |= std::uint64_t{1} << (done_ - queue_[i & (kQueue - 1)].node);
  }
  std::int64_t position = done_;
  while (live != 1 && position > root_) {
    if ((live & 1u) != 0) live |= std::uint64_t{1} << At(position).step();
    live >>= 1;
    --position;
  }
  return position;
}

void OptimalParser::Emit(std::int64_t until) {
  // Link the decided chain forwards, then write it out.
  for (std::int64_t node = until; node > root_;) {
    const std::uint32_t step = At(node).step();
    node -= step;
    At(node).set_next_step(step);
  }
  while (root_ < until) {
    const Node node = At(root_);
    const std::uint32_t step = node.next_step();
    if (step == 1) {
      items_.Literal(finder_.Byte(root_));
    } else {
      const std::uint32_t source =
          (kSzddStart + static_cast<std::uint32_t>(root_) - node.distance()) & kWindowMask;
      items_.Match(source, step);
    }
    root_ += step;
  }
}

}  // namespace codec
