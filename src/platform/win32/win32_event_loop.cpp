#include "platform/win32/win32_event_loop.h"

#include <algorithm>

namespace tassefiche {

namespace {

// One slot of the wait goes to the message queue.
constexpr std::size_t kMostHandles = MAXIMUM_WAIT_OBJECTS - 1;

}  // namespace

Win32EventLoop::WatchId Win32EventLoop::Watch(HANDLE handle, std::function<void()> signaled) {
  if (waited_.size() >= kMostHandles) return 0;
  const WatchId id = next_id_++;
  waited_.emplace(id, Waited{handle, std::move(signaled)});
  return id;
}

void Win32EventLoop::Unwatch(WatchId id) {
  waited_.erase(id);
}

void Win32EventLoop::After(std::chrono::milliseconds delay, Event event) {
  timers_.emplace(std::make_pair(Clock::now() + delay, sequence_++), std::move(event));
}

DWORD Win32EventLoop::MillisecondsToNextTimer() const {
  if (timers_.empty()) return INFINITE;
  const auto left =
      std::chrono::ceil<std::chrono::milliseconds>(timers_.begin()->first.first - Clock::now());
  return static_cast<DWORD>(std::clamp<std::int64_t>(left.count(), 0, INFINITE - 1));
}

void Win32EventLoop::RunDueTimers(const Dispatcher& dispatch) {
  const Clock::time_point now = Clock::now();
  while (!timers_.empty() && timers_.begin()->first.first <= now) {
    const Event event = std::move(timers_.begin()->second);
    timers_.erase(timers_.begin());
    dispatch(event);
  }
}

int Win32EventLoop::Run(const std::function<bool(MSG&)>& pre_translate,
                        const Dispatcher& dispatch) {
  for (;;) {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
      if (pre_translate(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    RunDueTimers(dispatch);

    std::vector<WatchId> ids;
    std::vector<HANDLE> handles;
    for (const auto& [id, waited] : waited_) {
      ids.push_back(id);
      handles.push_back(waited.handle);
    }
    const auto count = static_cast<DWORD>(handles.size());
    const DWORD woken = MsgWaitForMultipleObjectsEx(
        count, handles.data(), MillisecondsToNextTimer(), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    DWORD index = count;
    if (woken < WAIT_OBJECT_0 + count) index = woken - WAIT_OBJECT_0;
    if (woken >= WAIT_ABANDONED_0 && woken < WAIT_ABANDONED_0 + count) {
      index = woken - WAIT_ABANDONED_0;
    }
    if (index < count) {
      // The event may unwatch its own handle, or others: it runs from a copy.
      const auto found = waited_.find(ids[index]);
      if (found != waited_.end()) {
        const std::function<void()> signaled = found->second.signaled;
        dispatch(signaled);
      }
    } else if (woken == WAIT_FAILED) {
      // A handle that went bad would wake the loop for ever: it is waited on no more.
      std::erase_if(waited_, [](const auto& entry) {
        return WaitForSingleObject(entry.second.handle, 0) == WAIT_FAILED;
      });
    }
  }
}

}  // namespace tassefiche
