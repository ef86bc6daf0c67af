#include "lzx/lzx_encoder.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "lzx/lzx_calls.h"
#include "lzx/lzx_pipeline.h"
#include "lzx/lzx_program.h"

namespace codec {
namespace {

constexpr unsigned kFinderDepth = 48;
constexpr std::size_t kBatchBytes = LzxEncoder::kBatchSegments * LzxEncoder::kSegment;
// A batch is coded once the frame after it is in too, translated: the finder then compares
// matches past the batch's end on bytes that will not change, so that its tree stays ordered.
constexpr std::size_t kLookahead = kLzxFrameSize;

lz::FinderSettings Settings(unsigned window_bits) {
  lz::FinderSettings settings;
  settings.max_distance = (std::uint32_t{1} << window_bits) - kLzxOffsetBias - 1;
  settings.min_length = kLzxMinMatch;
  settings.max_length = kLzxMaxMatch;
  settings.max_depth = kFinderDepth;
  // About two positions of the window per hash: fewer nodes to visit where little matches.
  settings.hash_bits = window_bits - 1;
  return settings;
}

unsigned ThreadCount(unsigned asked) {
  const unsigned threads = asked != 0 ? asked : std::thread::hardware_concurrency();
  return std::clamp(threads, 1u, LzxEncoder::kMaxThreads);
}

}  // namespace

LzxEncoder::LzxEncoder(BlockSink& sink, unsigned window_bits, unsigned threads)
    : sink_(sink),
      window_bits_(window_bits),
      threads_(ThreadCount(threads)),
      finder_(Settings(window_bits)),
      buffer_(2 * std::size_t{finder_.slots()} + kBatchBytes + kLookahead),
      tables_(threads_ + 1),
      plans_(kBatchSegments) {
  for (unsigned i = 0; i < threads_; ++i)
    coders_.push_back(std::make_unique<LzxSegmentCoder>(window_bits));
  finder_.Reset({});
}

LzxEncoder::~LzxEncoder() = default;

Error LzxEncoder::Feed(std::span<const std::uint8_t> bytes) {
  if (error_ == Error::kOk && finished_) error_ = Error::kLengthMismatch;
  while (error_ == Error::kOk && !bytes.empty()) {
    const std::size_t n = std::min(bytes.size(), kBatchBytes + kLookahead - Waiting());
    std::memcpy(buffer_.data() + filled_, bytes.data(), n);
    filled_ += n;
    bytes = bytes.subspan(n);
    if (Waiting() == kBatchBytes + kLookahead) error_ = CodeBatch(false);
  }
  return error_;
}

Error LzxEncoder::Finish() {
  if (error_ == Error::kOk && !finished_) {
    finished_ = true;
    if (Waiting() > 0) error_ = CodeBatch(true);
    if (error_ == Error::kOk && emitter_) error_ = emitter_->Finish();
  }
  return error_;
}

void LzxEncoder::Translate(bool end) {
  const std::uint64_t to = base_ + filled_;
  for (; translated_ < to && translated_ / kLzxFrameSize < kLzxTranslatedFrames;
       translated_ += kLzxFrameSize) {
    const std::uint64_t size = std::min<std::uint64_t>(kLzxFrameSize, to - translated_);
    if (size < kLzxFrameSize && !end) return;
    TranslateLzxCalls(std::span(buffer_).subspan(static_cast<std::size_t>(translated_ - base_),
                                                 static_cast<std::size_t>(size)),
                      static_cast<std::uint32_t>(translated_), *translation_);
  }
}

void LzxEncoder::Slide() {
  const std::uint64_t window = std::uint64_t{1} << window_bits_;
  const std::uint32_t slots = finder_.slots();
  if (coded_ < base_ + window + slots) return;
  const auto shift = static_cast<std::uint32_t>((coded_ - window - base_) / slots * slots);
  std::memmove(buffer_.data(), buffer_.data() + shift, filled_ - shift);
  filled_ -= shift;
  base_ += shift;
  finder_.Continue({}, shift);
}

Error LzxEncoder::CodeBatch(bool end) {
  if (!emitter_) {
    const std::span<const std::uint8_t> head =
        std::span(buffer_).first(std::min(filled_, kLzxProgramHeaderReach));
    if (IsX86Program(head)) translation_ = kTranslationSize;
    emitter_.emplace(sink_, window_bits_, translation_);
  }
  if (translation_) Translate(end);
  const std::size_t batch = end ? Waiting() : kBatchBytes;
  const std::size_t segments = (batch + kSegment - 1) / kSegment;
  const auto start = static_cast<std::uint32_t>(coded_ - base_);
  const auto segment_from = [&](std::size_t segment) {
    return start + static_cast<std::uint32_t>(segment * kSegment);
  };
  const auto segment_to = [&](std::size_t segment) {
    return static_cast<std::uint32_t>(
        std::min<std::size_t>(segment_from(segment) + kSegment, start + batch));
  };
  const std::span<const std::uint8_t> bytes = std::span(buffer_).first(filled_);
  LzxPipelineStages stages;
  stages.find = [&](std::size_t segment, std::size_t table) {
    finder_.Continue(
        bytes.first(std::min<std::size_t>(segment_to(segment) + kLzxMaxMatch, filled_)), 0);
    tables_[table].Collect(finder_, segment_from(segment), segment_to(segment),
                           LzxSegmentCoder::kLongMatch);
  };
  stages.plan = [&](std::size_t segment, std::size_t table, std::size_t worker) {
    const bool first = base_ + segment_from(segment) == 0;
    const LzxRepeated repeated = first ? kLzxInitialRepeated : LzxRepeated{};
    coders_[worker]->Plan(tables_[table], bytes, segment_from(segment), segment_to(segment),
                          repeated, plans_[segment]);
  };
  RunLzxPipeline(segments, threads_, tables_.size(), stages);

  for (std::size_t segment = 0; segment < segments; ++segment) {
    const LzxSegmentPlan& plan = plans_[segment];
    std::size_t step = 0;
    std::uint32_t at = segment_from(segment);
    for (const LzxSegmentPlan::Block& block : plan.blocks) {
      const Error e = emitter_->Emit(std::span(plan.steps).subspan(step, block.steps_end - step),
                                     bytes.subspan(at, block.size));
      if (e != Error::kOk) return e;
      step = block.steps_end;
      at += block.size;
    }
  }
  if (const Error e = emitter_->Flush(); e != Error::kOk) return e;
  coded_ += batch;
  if (!end) Slide();
  return Error::kOk;
}

}  // namespace codec
