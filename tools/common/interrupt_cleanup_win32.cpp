#include <windows.h>

#include <array>
#include <atomic>
#include <mutex>

#include "common/interrupt_cleanup.h"
#include "shared/utf.h"

namespace tools {
namespace {

// The console control handler runs on a thread of its own: it waits for the lock that
// InterruptionsHeld takes.
std::array<wchar_t, 32768> watched_path{};
std::atomic<bool> watching{false};
std::recursive_mutex held;

BOOL WINAPI RemoveOnControl(DWORD) {
  const std::lock_guard lock(held);
  if (watching.load()) {
    DeleteFileW(watched_path.data());
  }
  return FALSE;  // the default handler then ends the process
}

}  // namespace

void HandleInterruptions() {
  SetConsoleCtrlHandler(RemoveOnControl, TRUE);
}

void WatchTemporaryFile(const std::string& path) {
  watching.store(false);
  const std::u16string wide = shared::Utf8ToUtf16(path);
  if (wide.size() >= watched_path.size()) {
    return;  // the destructor still removes it
  }
  std::copy(wide.begin(), wide.end(), watched_path.begin());
  watched_path[wide.size()] = L'\0';
  watching.store(true);
}

void ForgetTemporaryFile() {
  watching.store(false);
}

InterruptionsHeld::InterruptionsHeld() {
  held.lock();
}
InterruptionsHeld::~InterruptionsHeld() {
  held.unlock();
}

}  // namespace tools
