// Work shared by a few threads, the calling one among them, for the encoders that spread segments
// or blocks over the cores.
#pragma once

#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

namespace codec {

// Runs work(0) on the calling thread and work(1) to work(workers - 1) on threads of their own, and
// returns when all have ended. When the system starts fewer threads, those that started share the
// work, so `work` must take what is left rather than a fixed part. `work` catches its own failures.
template <class Work>
void ShareWork(std::size_t workers, const Work& work) {
  std::vector<std::jthread> helpers;
  try {
    for (std::size_t worker = 1; worker < workers; ++worker)
      helpers.emplace_back(work, worker);
  } catch (const std::system_error&) {
    // Fewer threads than asked: those that started, this one included, share the work.
  }
  work(0);
}

}  // namespace codec
