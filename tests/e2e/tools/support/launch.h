// Starting the Windows tools as the program does: CreateProcessW with the tool's full path as the
// application name and a composed command line, window hidden.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tools::e2e {

struct Launched {
  unsigned long exit_code = 0;
  std::string output;  // what the tool wrote on both streams, as bytes
};

// Runs `command_line` with `application` as the program and waits for its end; `folder`, when
// given, is its current folder.
Launched Launch(const std::wstring& application, const std::wstring& command_line,
                const std::wstring& folder = {});

// Starts `command_line` without waiting, its output going nowhere; returns the process handle.
HANDLE Start(const std::wstring& application, const std::wstring& command_line);

// The whole line in capitals, as the program sends it.
std::wstring UpperCased(std::wstring text);

// The built tools (the build gives their paths, Unix style under Wine).
std::filesystem::path CompressExe();
std::filesystem::path ExpandExe();

// A fresh folder under the temporary folder, removed afterwards.
class Scratch {
 public:
  Scratch();
  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

using Bytes = std::vector<std::uint8_t>;
void WriteBytes(const std::filesystem::path& path, const Bytes& bytes);
Bytes ReadBytes(const std::filesystem::path& path);
std::wstring ShortPath(const std::filesystem::path& path);

}  // namespace tools::e2e
