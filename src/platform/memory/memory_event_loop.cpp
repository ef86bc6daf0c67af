#include "platform/memory/memory_event_loop.h"

namespace tassefiche {

void MemoryEventLoop::After(std::chrono::milliseconds delay, Event event) {
  queue_.emplace(std::make_pair(now_ + delay, sequence_++), std::move(event));
}

void MemoryEventLoop::RunFor(std::chrono::milliseconds time) {
  const std::chrono::milliseconds until = now_ + time;
  while (!queue_.empty() && queue_.begin()->first.first <= until) {
    auto first = queue_.begin();
    now_ = std::max(now_, first->first.first);
    Event event = std::move(first->second);
    queue_.erase(first);
    if (event) event();
  }
  now_ = until;
}

}  // namespace tassefiche
