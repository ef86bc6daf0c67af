// Measures our SZDD codec on a corpus: sizes against the exact minimum and against mscompress,
// speeds against mscompress/msexpand and a memory copy, and round trips and interop on every file.
// Exits non-zero when any output is wrong.
#include <cstdio>
#include <exception>
#include <string>
#include <variant>
#include <vector>

#include "bench_frame.h"
#include "codec/codec.h"
#include "file_io.h"
#include "file_result.h"
#include "in_memory.h"
#include "options.h"
#include "peers.h"
#include "report.h"
#include "sample_data.h"

namespace {

using bench::FileResult;
using bench::Options;

FileResult MeasureFile(const std::filesystem::path& path, const Options& options) {
  FileResult result;
  const auto data = bench::ReadFor(path, result);
  if (!data) return result;
  if (result.size > codec::kSzddMaxLength) {
    result.problems.push_back("too large for an SZDD file");
    return result;
  }
  const std::vector<std::uint8_t> ours = bench::MeasureOurCodec(*data, options.runs, result);
  bench::MeasureMemoryCopy(*data, options.runs, result);
  bench::MeasureMinimum(*data, options.require_minimum, result);
  if (!ours.empty()) {
    const bench::ScratchFolder scratch;
    bench::MeasurePeers(*data, ours, options, scratch.path(), result);
  }
  return result;
}

int Run(const Options& options) {
  if (options.write_sample) {
    if (bench::WriteWholeFile(*options.write_sample, bench::MakeSample())) return 0;
    std::fprintf(stderr, "cannot write %s\n", options.write_sample->c_str());
    return 1;
  }
  std::printf("Measuring %zu files, best of %d runs%s%s%s%s.\n", options.files.size(), options.runs,
              options.mscompress ? "" : "; no mscompress", options.msexpand ? "" : "; no msexpand",
              options.compress_tool ? "" : "; no compress tool",
              options.expand_tool ? "" : "; no expand tool");
  std::vector<FileResult> results;
  for (const auto& path : options.files) {
    std::fflush(stdout);
    results.push_back(MeasureFile(path, options));
    bench::SayProblems(results.back());
  }
  bench::PrintReport(results, options);
  return bench::ListProblems(results) ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  return bench::BenchMain(argc, argv, "tassefiche-bench", bench::kUsage, bench::ParseOptions, Run);
}
