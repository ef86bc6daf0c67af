// The event loop of the in-memory platform: a clock that only the test moves. What falls due runs,
// in order, while the test lets time pass, as the real loop runs it between handlers.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>
#include <utility>

#include "platform/timers.h"

namespace tassefiche {

class MemoryEventLoop : public Timers {
 public:
  void After(std::chrono::milliseconds delay, Event event) override;
  // Runs as soon as the loop next turns.
  void Post(Event event) { After(std::chrono::milliseconds(0), std::move(event)); }
  // Lets `time` pass, running what falls due meanwhile (also what that schedules within `time`).
  void RunFor(std::chrono::milliseconds time);
  // Runs what is due now.
  void RunPending() { RunFor(std::chrono::milliseconds(0)); }
  std::size_t Waiting() const { return queue_.size(); }

 private:
  std::chrono::milliseconds now_{0};
  std::uint64_t sequence_ = 0;
  // By due time, then in the order they were scheduled.
  std::map<std::pair<std::chrono::milliseconds, std::uint64_t>, Event> queue_;
};

}  // namespace tassefiche
