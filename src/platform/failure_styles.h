// The failure styles of the handlers, so that each handler shows its own style where it is written:
// skip-and-continue, a failure block, a retry of the failed step, or a silent end. Only platform
// failures are caught; anything else is a fault of the program and goes on up.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <utility>

#include "platform/platform_error.h"

namespace tassefiche {

using Step = std::function<void()>;

// Runs every step in order; a step that fails is abandoned silently and the next step runs.
inline void SkipAndContinue(std::initializer_list<Step> steps) {
  for (const Step& step : steps) {
    try {
      step();
    } catch (const PlatformError&) {  // NOLINT(bugprone-empty-catch): skipping is the style
    }
  }
}

// Runs the body; the first failing step leaves it for the failure block, which then ends the
// handler. A block that wants to tell why takes the failure.
template <typename Body, typename FailureBlock>
void WithFailureBlock(Body&& body, FailureBlock&& failure_block) {
  try {
    body();
  } catch (const PlatformError& failure) {
    if constexpr (std::is_invocable_v<FailureBlock, const PlatformError&>) {
      failure_block(failure);
    } else {
      failure_block();
    }
  }
}

// Runs the steps in order; when one fails, `retry` asks whether to run it again, as often as the
// answer is yes. A no runs `on_cancel` and ends the handler; the steps already done stay done.
template <typename Retry, typename Cancel>
void RetryingTheFailedStep(std::initializer_list<Step> steps, Retry&& retry, Cancel&& on_cancel) {
  for (const Step& step : steps) {
    for (;;) {
      try {
        step();
        break;
      } catch (const PlatformError&) {
        if (!retry()) {
          on_cancel();
          return;
        }
      }
    }
  }
}

// Inside a body run with a failure block: a condition of the handler's own that leaves for the
// block, with the reason that the block may tell the user.
[[noreturn]] inline void GoToFailureBlock(const char* why, std::wstring reason = {}) {
  throw PlatformError(why, FailureKind::kOther, std::move(reason));
}

// Runs the body; the first failing step ends it silently, keeping what was done before.
template <typename Body>
void EndingSilentlyOnFailure(Body&& body) {
  try {
    body();
  } catch (const PlatformError&) {  // NOLINT(bugprone-empty-catch): a silent end is the style
  }
}

}  // namespace tassefiche
