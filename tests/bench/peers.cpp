#include "peers.h"

#include <algorithm>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "codec/codec.h"
#include "file_io.h"
#include "process.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

struct Command {
  fs::path program;
  std::vector<std::string> arguments;
  Redirections redirections;
};

// Best time of the runs, each after `prepare` (which clears the previous run's output so that no
// tool finds its target already there); nullopt, recorded as a problem, when a run fails.
std::optional<double> TimeRuns(int runs, const std::function<void()>& prepare,
                               const Command& command, FileResult& result) {
  std::optional<double> best;
  for (int run = 0; run < runs; ++run) {
    prepare();
    const ProcessRun outcome = RunProcess(command.program, command.arguments, command.redirections);
    if (!outcome.succeeded) {
      result.problems.push_back(outcome.failure);
      return std::nullopt;
    }
    best = std::min(best.value_or(outcome.seconds), outcome.seconds);
  }
  return best;
}

void CheckFileHolds(const fs::path& path, std::span<const std::uint8_t> data,
                    const std::string& what, FileResult& result) {
  const auto bytes = ReadWholeFile(path);
  if (!bytes || !std::ranges::equal(*bytes, data)) {
    result.problems.push_back("MISMATCH: " + what + " does not give the input back");
  }
}

void CheckExpandsTo(const fs::path& path, std::span<const std::uint8_t> data,
                    const std::string& what, FileResult& result) {
  const auto bytes = ReadWholeFile(path);
  if (!bytes) {
    result.problems.push_back("cannot read " + what);
    return;
  }
  std::vector<std::uint8_t> expanded;
  const codec::Error error = codec::Expand(*bytes, expanded);
  if (error != codec::Error::kOk) {
    result.problems.push_back("MISMATCH: our expander refuses " + what + ": " +
                              std::string(codec::ToText(error)));
  } else if (!std::ranges::equal(expanded, data)) {
    result.problems.push_back("MISMATCH: " + what + " does not expand back to the input");
  }
}

void Recreate(const fs::path& folder) {
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  fs::create_directory(folder, ignored);
}

// The single file a tool wrote into a folder of its own, or an empty path.
fs::path OnlyFileIn(const fs::path& folder) {
  std::error_code error;
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder, error))
    files.push_back(entry.path());
  return files.size() == 1 ? files.front() : fs::path();
}

}  // namespace

void MeasurePeers(std::span<const std::uint8_t> data, std::span<const std::uint8_t> ours,
                  const Options& options, const fs::path& scratch, FileResult& result) {
  const fs::path input = scratch / "corpus.dat";
  const fs::path compressed = scratch / "ours.dat";
  const fs::path expanded = scratch / "expanded.dat";
  if (!WriteWholeFile(input, data) || !WriteWholeFile(compressed, ours)) {
    result.problems.push_back("cannot write into the scratch folder " + scratch.string());
    return;
  }
  const auto remove = [](const fs::path& path) {
    return [path] {
      std::error_code ignored;
      fs::remove(path, ignored);
    };
  };

  if (options.mscompress) {
    // mscompress writes its file beside the source, named with an underscore appended.
    const fs::path output = scratch / "corpus.dat_";
    result.mscompress_seconds =
        TimeRuns(options.runs, remove(output), {*options.mscompress, {input.string()}, {}}, result);
    std::error_code error;
    const std::uintmax_t size = fs::file_size(output, error);
    if (result.mscompress_seconds && error) {
      result.problems.push_back("mscompress wrote no " + output.filename().string());
    } else if (result.mscompress_seconds) {
      result.mscompress_size = size;
      CheckExpandsTo(output, data, "mscompress's file", result);
    }
  }
  if (options.msexpand) {
    result.msexpand_seconds = TimeRuns(options.runs, remove(expanded),
                                       {*options.msexpand, {}, {compressed, expanded}}, result);
    if (result.msexpand_seconds) CheckFileHolds(expanded, data, "msexpand on our file", result);
  }
  if (options.compress_tool) {
    const fs::path folder = scratch / "compressed";
    result.tool_compress_seconds = TimeRuns(
        options.runs, [folder] { Recreate(folder); },
        {*options.compress_tool, {"-R", input.string(), folder.string()}, {}}, result);
    const fs::path written = OnlyFileIn(folder);
    if (result.tool_compress_seconds && written.empty()) {
      result.problems.push_back("our compress tool did not write exactly one file");
    } else if (result.tool_compress_seconds) {
      CheckExpandsTo(written, data, "our compress tool's file", result);
    }
  }
  if (options.expand_tool) {
    result.tool_expand_seconds =
        TimeRuns(options.runs, remove(expanded),
                 {*options.expand_tool, {compressed.string(), expanded.string()}, {}}, result);
    if (result.tool_expand_seconds) CheckFileHolds(expanded, data, "our expand tool", result);
  }
}

}  // namespace bench
