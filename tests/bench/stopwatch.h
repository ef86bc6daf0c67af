// Wall-clock timing, best of several runs: the best run is the one least disturbed by the rest of
// the machine.
#pragma once

#include <algorithm>
#include <chrono>
#include <limits>

namespace bench {

template <typename Work>
double BestSeconds(int runs, Work&& work) {
  double best = std::numeric_limits<double>::infinity();
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    best = std::min(best, elapsed.count());
  }
  return best;
}

// Keeps the compiler from dropping stores to memory that is only read after the timing.
inline void KeepWritten(const void* memory) {
  asm volatile("" : : "r"(memory) : "memory");
}

}  // namespace bench
