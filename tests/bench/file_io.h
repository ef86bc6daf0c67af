// Whole files in and out of memory, and a scratch folder removed with everything in it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <vector>

namespace bench {

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path);
bool WriteWholeFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

class ScratchFolder {
 public:
  ScratchFolder();  // a new, empty folder under the system's temporary folder
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace bench
