#include "common/write_behind.h"

#include "common/failure.h"

namespace tools {

WriteBehind::WriteBehind() : thread_([this] { Serve(); }) {}

WriteBehind::~WriteBehind() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

std::unique_ptr<WriteBehind::Writer> WriteBehind::Wrap(tools::Writer& target) {
  return std::make_unique<Writer>(*this, target);
}

void WriteBehind::Serve() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [&] { return stopping_ || !jobs_.empty(); });
    if (jobs_.empty()) return;
    Job job = std::move(jobs_.front());
    jobs_.pop_front();
    const bool failed = !job.writer->failure_.empty();
    lock.unlock();
    std::string failure;
    if (!failed) {
      try {
        job.writer->target_.Write(job.bytes);
      } catch (const IoError& error) {
        failure = error.what();
      }
    }
    lock.lock();
    if (!failure.empty() && job.writer->failure_.empty()) job.writer->failure_ = failure;
    --job.writer->pending_;
    queued_ -= job.bytes.size();
    changed_.notify_all();
  }
}

void WriteBehind::Push(Writer& writer, std::vector<std::uint8_t> bytes) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return queued_ + bytes.size() <= kQueued || queued_ == 0; });
  queued_ += bytes.size();
  ++writer.pending_;
  jobs_.push_back({&writer, std::move(bytes)});
  changed_.notify_all();
}

void WriteBehind::WaitFor(const Writer& writer) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return writer.pending_ == 0; });
  if (!writer.failure_.empty()) throw IoError(writer.failure_);
}

WriteBehind::Writer::~Writer() {
  // Its chunks must not outlive it in the queue.
  std::unique_lock lock(owner_.mutex_);
  owner_.changed_.wait(lock, [&] { return pending_ == 0; });
}

void WriteBehind::Writer::Write(std::span<const std::uint8_t> bytes) {
  {
    const std::lock_guard lock(owner_.mutex_);
    if (!failure_.empty()) throw IoError(failure_);
  }
  while (!bytes.empty()) {
    const std::size_t take = std::min(bytes.size(), kChunk - chunk_.size());
    chunk_.insert(chunk_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(take));
    bytes = bytes.subspan(take);
    if (chunk_.size() == kChunk) {
      owner_.Push(*this, std::move(chunk_));
      chunk_ = {};
      chunk_.reserve(kChunk);
    }
  }
}

void WriteBehind::Writer::Flush() {
  if (!chunk_.empty()) {
    owner_.Push(*this, std::move(chunk_));
    chunk_ = {};
  }
  owner_.WaitFor(*this);
}

}  // namespace tools
