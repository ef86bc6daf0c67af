// Writes done on a thread of their own, so that the disk's copies run while the caller decodes:
// each wrapped writer gathers its bytes in chunks that the thread writes in order. At most
// kQueued bytes wait at any time; a writer that would pass that waits for the thread.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/file_system.h"

namespace tools {

class WriteBehind {
 public:
  static constexpr std::size_t kChunk = std::size_t{1} << 20;
  static constexpr std::size_t kQueued = 4 * kChunk;

  WriteBehind();
  ~WriteBehind();
  WriteBehind(const WriteBehind&) = delete;
  WriteBehind& operator=(const WriteBehind&) = delete;

  class Writer;
  // A writer whose bytes reach `target` through the thread. Its Flush() waits for them and throws
  // the IoError that writing them met; a failed writer keeps failing.
  std::unique_ptr<Writer> Wrap(tools::Writer& target);

 private:
  struct Job {
    Writer* writer;
    std::vector<std::uint8_t> bytes;
  };
  void Serve();
  void Push(Writer& writer, std::vector<std::uint8_t> bytes);
  void WaitFor(const Writer& writer);

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Job> jobs_;
  std::size_t queued_ = 0;
  bool stopping_ = false;
  std::thread thread_;
};

class WriteBehind::Writer final : public tools::Writer {
 public:
  Writer(WriteBehind& owner, tools::Writer& target) : owner_(owner), target_(target) {}
  ~Writer() override;
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  void Write(std::span<const std::uint8_t> bytes) override;
  void Flush();

 private:
  friend class WriteBehind;
  WriteBehind& owner_;
  tools::Writer& target_;
  std::vector<std::uint8_t> chunk_;
  std::size_t pending_ = 0;  // chunks queued, guarded by the owner's mutex
  std::string failure_;      // the first IoError's message, guarded too
};

}  // namespace tools
