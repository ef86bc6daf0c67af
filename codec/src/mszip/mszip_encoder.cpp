#include "mszip/mszip_encoder.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>
#include <vector>

#include "common/shared_work.h"

namespace codec {
namespace {

constexpr std::size_t kBlock = kMaxBlockOutput;

unsigned ThreadCount(unsigned asked) {
  const unsigned threads = asked != 0 ? asked : std::thread::hardware_concurrency();
  return std::clamp(threads, 1u, MsZipEncoder::kMaxThreads);
}

}  // namespace

MsZipEncoder::MsZipEncoder(BlockSink& sink, unsigned threads) : sink_(sink) {
  coders_.resize(ThreadCount(threads));
  coded_.resize(BatchBlocks());
}

MsZipEncoder::~MsZipEncoder() = default;

Error MsZipEncoder::Feed(std::span<const std::uint8_t> bytes) {
  if (error_ == Error::kOk && finished_) error_ = Error::kLengthMismatch;
  // The buffer grows with the input, so that a small folder takes little memory.
  const std::size_t full = kBlock + BatchBlocks() * kBlock;
  while (error_ == Error::kOk && !bytes.empty()) {
    const std::size_t n = std::min(bytes.size(), full - buffer_.size());
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n));
    bytes = bytes.subspan(n);
    if (buffer_.size() == full) error_ = CodeBatch(false);
  }
  return error_;
}

Error MsZipEncoder::Finish() {
  if (error_ == Error::kOk && !finished_) {
    finished_ = true;
    while (error_ == Error::kOk && buffer_.size() > history_)
      error_ = CodeBatch(true);
  }
  return error_;
}

Error MsZipEncoder::CodeBatch(bool end) {
  const std::size_t waiting = buffer_.size() - history_;
  const std::size_t blocks =
      std::min(BatchBlocks(), end ? (waiting + kBlock - 1) / kBlock : waiting / kBlock);
  const auto block_span = [&](std::size_t index) {
    const std::size_t start = history_ + index * kBlock;
    const std::size_t history = std::min(start, kBlock);
    const std::size_t size = std::min(kBlock, buffer_.size() - start);
    return std::pair{
        std::span<const std::uint8_t>(buffer_).subspan(start - history, history + size),
        static_cast<std::uint32_t>(history)};
  };

  // A thread's coder is made the first time the thread has a block to code.
  const std::size_t workers = std::min(coders_.size(), blocks);
  for (std::size_t worker = 0; worker < workers; ++worker)
    if (!coders_[worker]) coders_[worker] = std::make_unique<MsZipBlockEncoder>();
  std::atomic<std::size_t> next{0};
  std::vector<std::exception_ptr> failures(coders_.size());
  const auto work = [&](std::size_t worker) {
    try {
      for (std::size_t index = next++; index < blocks; index = next++) {
        const auto [bytes, history] = block_span(index);
        coded_[index].clear();
        coders_[worker]->Encode(bytes, history, coded_[index]);
      }
    } catch (...) {
      failures[worker] = std::current_exception();
    }
  };
  ShareWork(workers, work);
  for (const std::exception_ptr& failure : failures)
    if (failure) std::rethrow_exception(failure);

  for (std::size_t index = 0; index < blocks; ++index) {
    const auto [bytes, history] = block_span(index);
    const auto size = static_cast<std::uint32_t>(bytes.size() - history);
    if (!sink_.Take(coded_[index], size)) return Error::kOutputFailed;
  }
  // The last 32 KiB coded become the next batch's history; what follows them stays.
  const std::size_t consumed = std::min(buffer_.size(), history_ + blocks * kBlock);
  const std::size_t keep = std::min(consumed, kBlock);
  buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(consumed - keep));
  history_ = keep;
  return Error::kOk;
}

}  // namespace codec
