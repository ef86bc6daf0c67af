#include "mszip/mszip_encoder.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <exception>
#include <system_error>
#include <thread>

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
  for (auto& coder : coders_)
    coder = std::make_unique<MsZipBlockEncoder>();
  buffer_.resize(kBlock + BatchBlocks() * kBlock);
  coded_.resize(BatchBlocks());
}

MsZipEncoder::~MsZipEncoder() = default;

Error MsZipEncoder::Feed(std::span<const std::uint8_t> bytes) {
  if (error_ == Error::kOk && finished_) error_ = Error::kLengthMismatch;
  while (error_ == Error::kOk && !bytes.empty()) {
    const std::size_t n = std::min(bytes.size(), buffer_.size() - filled_);
    std::memcpy(buffer_.data() + filled_, bytes.data(), n);
    filled_ += n;
    bytes = bytes.subspan(n);
    if (filled_ == buffer_.size()) error_ = CodeBatch(false);
  }
  return error_;
}

Error MsZipEncoder::Finish() {
  if (error_ == Error::kOk && !finished_) {
    finished_ = true;
    while (error_ == Error::kOk && filled_ > history_)
      error_ = CodeBatch(true);
  }
  return error_;
}

Error MsZipEncoder::CodeBatch(bool end) {
  const std::size_t waiting = filled_ - history_;
  const std::size_t blocks =
      std::min(BatchBlocks(), end ? (waiting + kBlock - 1) / kBlock : waiting / kBlock);
  const auto block_span = [&](std::size_t index) {
    const std::size_t start = history_ + index * kBlock;
    const std::size_t history = std::min(start, kBlock);
    const std::size_t size = std::min(kBlock, filled_ - start);
    return std::pair{
        std::span<const std::uint8_t>(buffer_).subspan(start - history, history + size),
        static_cast<std::uint32_t>(history)};
  };

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
  {
    std::vector<std::jthread> helpers;
    try {
      for (std::size_t worker = 1; worker < std::min(coders_.size(), blocks); ++worker)
        helpers.emplace_back(work, worker);
    } catch (const std::system_error&) {
      // Fewer threads than asked: those that started, this one included, share the blocks.
    }
    work(0);
  }
  for (const std::exception_ptr& failure : failures)
    if (failure) std::rethrow_exception(failure);

  for (std::size_t index = 0; index < blocks; ++index) {
    const auto [bytes, history] = block_span(index);
    const auto size = static_cast<std::uint32_t>(bytes.size() - history);
    if (!sink_.Take(coded_[index], size)) return Error::kOutputFailed;
  }
  // The last 32 KiB coded become the next batch's history; what follows them stays.
  const std::size_t consumed = std::min(filled_, history_ + blocks * kBlock);
  const std::size_t keep = std::min(consumed, kBlock);
  std::memmove(buffer_.data(), buffer_.data() + consumed - keep, filled_ - consumed + keep);
  history_ = keep;
  filled_ = filled_ - consumed + keep;
  return Error::kOk;
}

}  // namespace codec
