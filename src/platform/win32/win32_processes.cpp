#include "platform/win32/win32_processes.h"

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform_error.h"
#include "platform/win32/win32_error.h"

namespace tassefiche {

namespace {

// After the program ends, what it wrote is in the pipe; a pipe that a program of its own keeps
// open is not waited on longer than this.
constexpr std::chrono::milliseconds kLastWords{2000};

// The tools write UTF-8 when their error stream is not a console; another program may write its
// console's code page.
std::wstring ErrorText(const std::string& bytes) {
  for (const UINT code_page : {static_cast<UINT>(CP_UTF8), GetOEMCP()}) {
    const DWORD flags = code_page == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
    const int size = MultiByteToWideChar(code_page, flags, bytes.data(),
                                         static_cast<int>(bytes.size()), nullptr, 0);
    if (size <= 0) continue;
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(code_page, flags, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                        size);
    return text;
  }
  return {};
}

struct Started {
  HANDLE process = nullptr;
  HANDLE error_pipe = nullptr;  // our end; null when not asked for
};

// With the program given as the application name, the launcher never searches the unquoted line
// for a program to start; the line reaches the program as it is.
Started Start(std::wstring_view program, std::wstring_view command_line, WindowStyle style,
              bool watched) {
  const std::wstring application(program);
  std::wstring line(command_line);  // CreateProcessW may write into its command line
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = style == WindowStyle::kHidden ? SW_HIDE : SW_SHOWNORMAL;

  Started started;
  HANDLE write_end = nullptr;
  HANDLE nothing = nullptr;
  if (watched) {
    static unsigned pipes = 0;
    const std::wstring name = L"\\\\.\\pipe\\tassefiche-" + std::to_wstring(GetCurrentProcessId()) +
                              L"-" + std::to_wstring(++pipes);
    started.error_pipe = CreateNamedPipeW(
        name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
        PIPE_TYPE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0, 64 * 1024, 0, nullptr);
    if (started.error_pipe == INVALID_HANDLE_VALUE) ThrowWin32Error("CreateNamedPipe");
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    write_end = CreateFileW(name.c_str(), GENERIC_WRITE, 0, &inherited, OPEN_EXISTING, 0, nullptr);
    nothing = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          &inherited, OPEN_EXISTING, 0, nullptr);
    if (write_end == INVALID_HANDLE_VALUE || nothing == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      for (HANDLE handle : {started.error_pipe, write_end, nothing}) {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
      }
      ThrowWin32Error("CreateFile", error);
    }
    startup.dwFlags |= STARTF_USESTDHANDLES;
    startup.hStdInput = nothing;
    startup.hStdOutput = nothing;
    startup.hStdError = write_end;
  }

  PROCESS_INFORMATION process{};
  const BOOL created =
      CreateProcessW(application.empty() ? nullptr : application.c_str(), line.data(), nullptr,
                     nullptr, watched ? TRUE : FALSE, 0, nullptr, nullptr, &startup, &process);
  const DWORD error = GetLastError();
  // Only the program keeps the other end: the pipe breaks when it ends.
  if (write_end != nullptr) CloseHandle(write_end);
  if (nothing != nullptr) CloseHandle(nothing);
  if (!created) {
    if (started.error_pipe != nullptr) CloseHandle(started.error_pipe);
    ThrowWin32Error("CreateProcess", error);
  }
  CloseHandle(process.hThread);
  started.process = process.hProcess;
  return started;
}

}  // namespace

// A program running, its end and its error stream waited on by the loop.
class Win32Processes::Watched {
 public:
  Watched(Win32Processes& owner, Started started, std::function<void(const ProcessOutcome&)> on_end)
      : owner_(owner),
        loop_(*owner.loop_),
        process_(started.process),
        pipe_(started.error_pipe),
        on_end_(std::move(on_end)) {
    overlapped_.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  }

  ~Watched() {
    loop_.Unwatch(process_wait_);
    loop_.Unwatch(pipe_wait_);
    if (reading_) {
      CancelIoEx(pipe_, &overlapped_);
      DWORD ignored = 0;
      GetOverlappedResult(pipe_, &overlapped_, &ignored, TRUE);
    }
    CloseHandle(overlapped_.hEvent);
    CloseHandle(pipe_);
    CloseHandle(process_);
  }
  Watched(const Watched&) = delete;
  Watched& operator=(const Watched&) = delete;

  // False when the loop cannot wait on two more handles.
  bool Begin() {
    process_wait_ = loop_.Watch(process_, [this] { Ended(); });
    pipe_wait_ = loop_.Watch(overlapped_.hEvent, [this] { Received(); });
    if (overlapped_.hEvent == nullptr || process_wait_ == 0 || pipe_wait_ == 0) return false;
    Read();
    return true;
  }

 private:
  void Read() {
    if (ReadFile(pipe_, buffer_.data(), static_cast<DWORD>(buffer_.size()), nullptr,
                 &overlapped_) == FALSE &&
        GetLastError() != ERROR_IO_PENDING) {
      NoMoreText();
      return;
    }
    reading_ = true;  // done at once or later, the event tells
  }

  void Received() {
    DWORD got = 0;
    const BOOL done = GetOverlappedResult(pipe_, &overlapped_, &got, FALSE);
    reading_ = false;
    if (done == FALSE) {
      NoMoreText();
      return;
    }
    text_.append(buffer_.data(), got);
    Read();
  }

  void NoMoreText() {
    loop_.Unwatch(pipe_wait_);
    pipe_wait_ = 0;
    text_done_ = true;
    if (exit_code_) Finish();
  }

  void Ended() {
    loop_.Unwatch(process_wait_);
    process_wait_ = 0;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    exit_code_ = static_cast<int>(code);
    if (text_done_) {
      Finish();
      return;
    }
    Win32Processes* owner = &owner_;
    const std::uint64_t id = id_;
    loop_.After(kLastWords, [owner, id] {
      for (const auto& watched : owner->watched_) {
        if (watched->id_ == id) return watched->Finish();
      }
    });
  }

  // Told once; then forgotten, which closes this side of the pipe.
  void Finish() {
    const ProcessOutcome outcome{*exit_code_, ErrorText(text_)};
    const std::function<void(const ProcessOutcome&)> on_end = std::move(on_end_);
    owner_.Forget(this);
    on_end(outcome);
  }

  static inline std::uint64_t next_id_ = 1;
  const std::uint64_t id_ = next_id_++;
  Win32Processes& owner_;
  Win32EventLoop& loop_;
  HANDLE process_;
  HANDLE pipe_;
  std::function<void(const ProcessOutcome&)> on_end_;
  OVERLAPPED overlapped_{};
  std::vector<char> buffer_ = std::vector<char>(4096);
  std::string text_;
  bool reading_ = false;
  bool text_done_ = false;
  std::optional<int> exit_code_;
  Win32EventLoop::WatchId process_wait_ = 0;
  Win32EventLoop::WatchId pipe_wait_ = 0;
};

Win32Processes::Win32Processes(Win32EventLoop* loop) : loop_(loop) {}

Win32Processes::~Win32Processes() = default;

void Win32Processes::Launch(std::wstring_view program, std::wstring_view command_line,
                            WindowStyle style) {
  CloseHandle(Start(program, command_line, style, false).process);
}

bool Win32Processes::LaunchWatched(std::wstring_view program, std::wstring_view command_line,
                                   WindowStyle style,
                                   std::function<void(const ProcessOutcome&)> on_end) {
  if (loop_ == nullptr) {
    Launch(program, command_line, style);
    return false;
  }
  auto watched = std::make_unique<Watched>(*this, Start(program, command_line, style, true),
                                           std::move(on_end));
  // Past what the loop can wait on, the program runs as an unwatched one would.
  if (!watched->Begin()) return false;
  watched_.push_back(std::move(watched));
  return true;
}

void Win32Processes::Forget(const Watched* watched) {
  std::erase_if(watched_, [&](const auto& owned) { return owned.get() == watched; });
}

}  // namespace tassefiche
