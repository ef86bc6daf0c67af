// A fresh folder per test, removed afterwards, with small helpers to make and read files in it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tools::testing_support {

using Bytes = std::vector<std::uint8_t>;

class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // `relative` inside the folder, as a string for command lines.
  std::string operator/(const std::string& relative) const { return (path_ / relative).string(); }

  // Names of everything in `relative` (sorted), to show that nothing else appeared.
  std::vector<std::string> Names(const std::string& relative = ".") const;

 private:
  std::filesystem::path path_;
};

void WriteBytes(const std::string& path, const Bytes& bytes);
Bytes ReadBytes(const std::string& path);
std::string ReadText(const std::string& path);

// Sample contents of several shapes.
Bytes TextSample(std::size_t size);
Bytes RandomSample(std::size_t size, unsigned seed = 1);
Bytes RunsSample(std::size_t size);

}  // namespace tools::testing_support
