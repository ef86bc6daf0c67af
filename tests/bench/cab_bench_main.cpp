// Measures our MSZIP and LZX cabinets on a corpus against gcab -z and xz -9: sizes, speeds, peak
// memory, and extraction of every cabinet by cabextract and 7-Zip. Exits non-zero when any output
// is wrong or a peer fails; missed targets are reported, not failed (timings vary with the
// machine).
#include <sys/resource.h>

#include <cstdio>
#include <exception>
#include <string>
#include <variant>
#include <vector>

#include "bench_frame.h"
#include "cab_measure.h"
#include "cab_options.h"
#include "cab_report.h"
#include "file_io.h"

namespace {

using bench::CabOptions;
using bench::CabResult;

CabResult MeasureFile(const std::filesystem::path& path, const CabOptions& options) {
  CabResult result;
  const auto data = bench::ReadFor(path, result);
  if (!data) return result;
  const bench::ScratchFolder scratch;
  bench::MeasureCabinets(*data, options, scratch.path(), result);
  return result;
}

double PeakMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024;  // kilobytes on Linux
}

int Run(const CabOptions& options) {
  std::printf("Measuring %zu files%s%s%s%s.\n", options.files.size(),
              options.gcab ? "" : "; no gcab", options.xz ? "" : "; no xz",
              options.cabextract ? "" : "; no cabextract", options.seven_zip ? "" : "; no 7zz");
  std::vector<CabResult> results;
  for (const auto& path : options.files) {
    std::fflush(stdout);
    results.push_back(MeasureFile(path, options));
    bench::SayProblems(results.back());
  }
  bench::PrintCabReport(results, options, PeakMiB());
  return bench::ListProblems(results) ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  return bench::BenchMain(argc, argv, "tassefiche-cab-bench", bench::kCabUsage,
                          bench::ParseCabOptions, Run);
}
