#include "options.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace bench {
namespace {

namespace fs = std::filesystem;

// Regular files of a folder, in name order so that runs compare line by line.
std::variant<std::vector<fs::path>, std::string> FilesIn(const fs::path& folder) {
  std::error_code error;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.is_regular_file() && !entry.path().filename().string().starts_with('.')) {
      files.push_back(entry.path());
    }
  }
  if (error) return "cannot list " + folder.string() + ": " + error.message();
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

std::optional<int> ParseCount(const std::string& text, int least, int most) {
  int count = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
  if (error != std::errc() || end != text.data() + text.size() || count < least || count > most) {
    return std::nullopt;
  }
  return count;
}

std::optional<std::string> AddFiles(const std::string& word, std::vector<fs::path>& files) {
  std::error_code error;
  if (!fs::is_directory(word, error)) {
    files.emplace_back(word);
    return std::nullopt;
  }
  auto listed = FilesIn(word);
  if (auto* message = std::get_if<std::string>(&listed)) return *message;
  const auto& found = std::get<std::vector<fs::path>>(listed);
  files.insert(files.end(), found.begin(), found.end());
  return std::nullopt;
}

std::variant<Options, std::string> ParseOptions(const std::vector<std::string>& arguments) {
  Options options;
  for (std::size_t k = 0; k < arguments.size(); ++k) {
    const std::string& word = arguments[k];
    if (word == "--require-minimum") {
      options.require_minimum = true;
      continue;
    }
    const bool takes_value = word == "--runs" || word == "--mscompress" || word == "--msexpand" ||
                             word == "--compress-tool" || word == "--expand-tool" ||
                             word == "--write-sample";
    if (takes_value) {
      if (k + 1 == arguments.size()) return word + " needs a value";
      const std::string& value = arguments[++k];
      if (word == "--runs") {
        const auto runs = ParseCount(value, 1, 100);
        if (!runs) return "--runs takes a count from 1 to 100, not " + value;
        options.runs = *runs;
      } else if (word == "--mscompress") {
        options.mscompress = value;
      } else if (word == "--msexpand") {
        options.msexpand = value;
      } else if (word == "--compress-tool") {
        options.compress_tool = value;
      } else if (word == "--expand-tool") {
        options.expand_tool = value;
      } else {
        options.write_sample = value;
      }
      continue;
    }
    if (word.starts_with("-")) return "unknown option " + word;
    if (auto message = AddFiles(word, options.files)) return *message;
  }
  if (!options.write_sample && options.files.empty()) return "no file to measure";
  return options;
}

}  // namespace bench
