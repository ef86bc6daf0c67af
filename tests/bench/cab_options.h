// The cabinet bench's command line.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace bench {

struct CabOptions {
  int runs = 1;                               // timed runs per measurement; the best one counts
  unsigned threads = 0;                       // our encoders' threads (0: one per core)
  unsigned lzx_window = 21;                   // LZX window bits, 15 to 21
  std::optional<std::filesystem::path> gcab;  // peers; absent ones leave their columns out
  std::optional<std::filesystem::path> xz;
  std::optional<std::filesystem::path> cabextract;  // checkers of our cabinets
  std::optional<std::filesystem::path> seven_zip;
  std::vector<std::filesystem::path> files;  // folders given are replaced by their files
};

inline constexpr const char* kCabUsage =
    "usage: tassefiche-cab-bench [--runs N] [--threads N] [--lzx-window N] [--gcab PATH]\n"
    "                            [--xz PATH] [--cabextract PATH] [--7zz PATH] FILE|FOLDER...\n"
    "A folder stands for its regular files whose names do not start with a dot.\n";

std::variant<CabOptions, std::string> ParseCabOptions(const std::vector<std::string>& arguments);

}  // namespace bench
