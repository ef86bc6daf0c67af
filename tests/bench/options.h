// The bench's command line.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace bench {

struct Options {
  int runs = 3;                  // timed runs per measurement; the best one counts
  bool require_minimum = false;  // fail unless our size equals the minimum on every file
  std::optional<std::filesystem::path> mscompress;  // peers; absent ones leave their column out
  std::optional<std::filesystem::path> msexpand;
  std::optional<std::filesystem::path> compress_tool;  // our native tools, end to end
  std::optional<std::filesystem::path> expand_tool;
  std::vector<std::filesystem::path> files;  // directories given are replaced by their files
  std::optional<std::filesystem::path> write_sample;  // only write the smoke-test sample there
};

inline constexpr const char* kUsage =
    "usage: tassefiche-bench [--runs N] [--require-minimum] [--mscompress PATH] [--msexpand PATH]\n"
    "                        [--compress-tool PATH] [--expand-tool PATH] FILE|FOLDER...\n"
    "       tassefiche-bench --write-sample PATH\n"
    "A folder stands for its regular files whose names do not start with a dot.\n";

// A whole number from `least` to `most`, or nothing when the text is not one.
std::optional<int> ParseCount(const std::string& text, int least, int most);
// Adds `word` to `files`, or the files of the folder it names; a message when it cannot list them.
std::optional<std::string> AddFiles(const std::string& word,
                                    std::vector<std::filesystem::path>& files);

// The options, or a message saying what is wrong with the command line.
std::variant<Options, std::string> ParseOptions(const std::vector<std::string>& arguments);

}  // namespace bench
