#include "support/launch.h"

#include <windows.h>

#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace tools::e2e {
namespace {

// The build hands Unix paths; Wine shows the Unix root as drive Z:.
std::filesystem::path FromBuild(std::string path) {
  if (!path.empty() && path[0] == '/') {
    for (char& c : path)
      c = c == '/' ? '\\' : c;
    path = "Z:" + path;
  }
  return path;
}

// Wine now and then fails a start with an internal error that a second try does not meet;
// any other failure is the test's to report.
BOOL CreateProcessRetrying(const std::wstring& application, std::wstring& line, BOOL inherit,
                           const std::wstring& folder, STARTUPINFOW& startup,
                           PROCESS_INFORMATION& process) {
  for (int attempt = 0;; ++attempt) {
    const BOOL started = CreateProcessW(
        application.c_str(), line.data(), nullptr, nullptr, inherit, CREATE_NO_WINDOW, nullptr,
        folder.empty() ? nullptr : folder.c_str(), &startup, &process);
    if (started != 0 || GetLastError() != ERROR_INTERNAL_ERROR || attempt == 4) return started;
    Sleep(200);
  }
}

}  // namespace

Launched Launch(const std::wstring& application, const std::wstring& command_line,
                const std::wstring& folder) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (CreatePipe(&read_end, &write_end, &inherit, 0) == 0) throw std::runtime_error("CreatePipe");
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = nullptr;
  startup.hStdOutput = write_end;
  startup.hStdError = write_end;
  PROCESS_INFORMATION process{};
  std::wstring line = command_line;  // CreateProcessW may write into it
  const BOOL started = CreateProcessRetrying(application, line, TRUE, folder, startup, process);
  const DWORD error = GetLastError();
  CloseHandle(write_end);
  if (started == 0) {
    CloseHandle(read_end);
    SetLastError(error);
    throw std::runtime_error("CreateProcessW failed: " + std::to_string(GetLastError()));
  }
  Launched launched;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(read_end, buffer, sizeof(buffer), &got, nullptr) != 0 && got > 0) {
    launched.output.append(buffer, got);
  }
  CloseHandle(read_end);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  launched.exit_code = code;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return launched;
}

HANDLE Start(const std::wstring& application, const std::wstring& command_line) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process{};
  std::wstring line = command_line;  // CreateProcessW may write into it
  if (CreateProcessRetrying(application, line, FALSE, L"", startup, process) == 0) {
    throw std::runtime_error("CreateProcessW failed: " + std::to_string(GetLastError()));
  }
  CloseHandle(process.hThread);
  return process.hProcess;
}

std::wstring UpperCased(std::wstring text) {
  CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::filesystem::path CompressExe() {
  return FromBuild(TASSEFICHE_COMPRESS_EXE);
}
std::filesystem::path ExpandExe() {
  return FromBuild(TASSEFICHE_EXPAND_EXE);
}

Scratch::Scratch() {
  std::random_device seed;
  path_ = std::filesystem::temp_directory_path() / ("tfe2e" + std::to_string(seed() % 1000000));
  std::filesystem::create_directories(path_);
}

Scratch::~Scratch() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

Bytes ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::wstring ShortPath(const std::filesystem::path& path) {
  wchar_t buffer[MAX_PATH * 2];
  const DWORD length = GetShortPathNameW(path.c_str(), buffer, MAX_PATH * 2);
  if (length == 0 || length >= MAX_PATH * 2) throw std::runtime_error("GetShortPathNameW");
  return {buffer, length};
}

}  // namespace tools::e2e
