#include <unistd.h>

#include <array>
#include <csignal>
#include <cstring>

#include "common/interrupt_cleanup.h"

namespace tools {
namespace {

// Read by the signal handler, so kept in plain static storage.
std::array<char, 4096> watched_path{};
volatile std::sig_atomic_t watching = 0;
constexpr std::array kInterruptions = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};
sigset_t held_before;
int held_depth = 0;

extern "C" void RemoveAndDie(int signal_number) {
  if (watching != 0) {
    static_cast<void>(unlink(watched_path.data()));
  }
  static_cast<void>(std::signal(signal_number, SIG_DFL));
  static_cast<void>(std::raise(signal_number));
}

}  // namespace

void HandleInterruptions() {
  for (const int signal_number : kInterruptions) {
    static_cast<void>(std::signal(signal_number, RemoveAndDie));
  }
  static_cast<void>(std::signal(SIGXFSZ, SIG_IGN));
}

void WatchTemporaryFile(const std::string& path) {
  watching = 0;
  if (path.size() >= watched_path.size()) {
    return;  // the destructor still removes it
  }
  std::memcpy(watched_path.data(), path.c_str(), path.size() + 1);
  watching = 1;
}

void ForgetTemporaryFile() {
  watching = 0;
}

InterruptionsHeld::InterruptionsHeld() {
  if (held_depth++ > 0) {
    return;
  }
  sigset_t held;
  sigemptyset(&held);
  for (const int signal_number : kInterruptions) {
    sigaddset(&held, signal_number);
  }
  sigprocmask(SIG_BLOCK, &held, &held_before);
}

InterruptionsHeld::~InterruptionsHeld() {
  if (--held_depth == 0) {
    sigprocmask(SIG_SETMASK, &held_before, nullptr);
  }
}

}  // namespace tools
