// Win32 calls as the file system layer uses them: UTF-8 paths made wide, failures as IoError with
// French words for the usual reasons, whole reads and writes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace tools::win32 {

std::wstring Wide(const std::string& text);
std::string Narrow(const wchar_t* text);

std::string Describe(DWORD error);
[[noreturn]] void Fail(const std::string& what, const std::string& path,
                       DWORD error = GetLastError());

// How a file is named in messages: "dans « path »", or what the caller says of it.
struct Named {
  std::string path;
  std::string in = "dans";  // "écriture impossible <in> « <path> »"
};

std::size_t ReadSome(HANDLE handle, std::span<std::uint8_t> bytes, const Named& file);
void WriteAll(HANDLE handle, std::span<const std::uint8_t> bytes, const Named& file);
void Rewind(HANDLE handle, const Named& file);
std::size_t ReadAt(HANDLE handle, std::uint64_t offset, std::span<std::uint8_t> bytes,
                   const Named& file);
// Writes at `offset`, then puts the position back at the end of the file.
void WriteAt(HANDLE handle, std::uint64_t offset, std::span<const std::uint8_t> bytes,
             const Named& file);

// Closes a handle when it goes out of scope.
class HandleCloser {
 public:
  explicit HandleCloser(HANDLE handle) : handle_(handle) {}
  ~HandleCloser() { CloseHandle(handle_); }
  HandleCloser(const HandleCloser&) = delete;
  HandleCloser& operator=(const HandleCloser&) = delete;

 private:
  HANDLE handle_;
};

}  // namespace tools::win32
