// The timers port: something to run once a delay has passed. The program's event loop runs it
// between handlers, never inside one and never on a thread of its own.
#pragma once

#include <chrono>

#include "platform/control.h"

namespace tassefiche {

class Timers {
 public:
  virtual ~Timers() = default;
  virtual void After(std::chrono::milliseconds delay, Event event) = 0;
};

}  // namespace tassefiche
