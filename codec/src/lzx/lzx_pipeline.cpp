#include "lzx/lzx_pipeline.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <numeric>
#include <utility>
#include <vector>

#include "common/shared_work.h"

namespace codec {

void RunLzxPipeline(std::size_t segments, std::size_t workers, std::size_t tables,
                    const LzxPipelineStages& stages) {
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t next = 0;  // the next segment to search
  std::size_t planned = 0;
  bool searching = false;
  bool failed = false;
  std::vector<std::size_t> free_tables(tables);
  std::iota(free_tables.begin(), free_tables.end(), std::size_t{0});
  std::deque<std::pair<std::size_t, std::size_t>> searched;  // segment, table
  std::vector<std::exception_ptr> failures(workers);

  const auto work = [&](std::size_t worker) {
    std::unique_lock lock(mutex);
    try {
      while (!failed && planned < segments) {
        if (!searching && next < segments && !free_tables.empty()) {
          const std::size_t segment = next++;
          const std::size_t table = free_tables.back();
          free_tables.pop_back();
          searching = true;
          lock.unlock();
          stages.find(segment, table);
          lock.lock();
          searching = false;
          searched.emplace_back(segment, table);
          changed.notify_all();
        } else if (!searched.empty()) {
          const auto [segment, table] = searched.front();
          searched.pop_front();
          lock.unlock();
          stages.plan(segment, table, worker);
          lock.lock();
          free_tables.push_back(table);
          ++planned;
          changed.notify_all();
        } else {
          changed.wait(lock);
        }
      }
    } catch (...) {
      if (!lock.owns_lock()) lock.lock();
      failures[worker] = std::current_exception();
      failed = true;
      changed.notify_all();
    }
  };
  ShareWork(workers, work);
  for (const std::exception_ptr& failure : failures)
    if (failure) std::rethrow_exception(failure);
}

}  // namespace codec
