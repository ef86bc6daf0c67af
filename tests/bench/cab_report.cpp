#include "cab_report.h"

#include <cstdio>
#include <optional>
#include <string>

#include "cab_targets.h"
#include "table.h"
#include "totals.h"

namespace bench {
namespace {

// The totals line: a figure that some file lacks is left out rather than understated.
CabResult Total(const std::vector<CabResult>& results) {
  CabResult total;
  total.name = "TOTAL";
  total.gcab = 0;
  total.gcab_seconds = 0;
  total.xz = 0;
  total.xz_seconds = 0;
  for (const CabResult& result : results) {
    total.size += result.size;
    total.ours += result.ours;
    total.ours_seconds += result.ours_seconds;
    total.lzx += result.lzx;
    total.lzx_seconds += result.lzx_seconds;
    AddOrForget(total.gcab, result.gcab);
    AddOrForget(total.gcab_seconds, result.gcab_seconds);
    AddOrForget(total.xz, result.xz);
    AddOrForget(total.xz_seconds, result.xz_seconds);
  }
  return total;
}

std::optional<double> Ratio(std::uint64_t ours, std::optional<std::uint64_t> peer) {
  if (!peer || *peer == 0) return std::nullopt;
  return static_cast<double>(ours) / static_cast<double>(*peer);
}

std::string Count(std::optional<std::uint64_t> value) {
  return value ? std::to_string(*value) : "-";
}

const char* Verdict(bool met) {
  return met ? "met" : "NOT MET";
}

void PrintLzxTable(const std::vector<CabResult>& lines, const CabOptions& options) {
  const std::string title = "Cabinets with LZX, window 2^" + std::to_string(options.lzx_window) +
                            ": against our MSZIP (-Z) and xz -9, same units";
  PrintTable<CabResult>(
      title.c_str(),
      {{"file", [](const CabResult& r) { return r.name; }},
       {"bytes", [](const CabResult& r) { return std::to_string(r.size); }},
       {"-ZX", [](const CabResult& r) { return std::to_string(r.lzx); }},
       {"-Z", [](const CabResult& r) { return std::to_string(r.ours); }},
       {"xz -9", [](const CabResult& r) { return Count(r.xz); }},
       {"ZX/Z", [](const CabResult& r) { return Show(Ratio(r.lzx, r.ours), 4); }},
       {"ZX/xz", [](const CabResult& r) { return Show(Ratio(r.lzx, r.xz), 4); }},
       {"ZX MB/s", [](const CabResult& r) { return Show(Speed(r.size, r.lzx_seconds), 2); }},
       {"xz MB/s", [](const CabResult& r) { return Show(Speed(r.size, r.xz_seconds), 2); }}},
      lines);
}

void PrintSpeedVerdict(const char* method, std::uint64_t size, double seconds,
                       const CabOptions& options) {
  const double speed = Speed(size, seconds).value_or(0);
  std::printf("  %s speed: %.2f MB/s over the corpus with %s (target %.0f MB/s): %s\n", method,
              speed,
              options.threads == 0 ? "a thread per core"
                                   : (std::to_string(options.threads) + " threads").c_str(),
              kTargetSpeed, Verdict(speed >= kTargetSpeed));
}

}  // namespace

void PrintCabReport(const std::vector<CabResult>& results, const CabOptions& options,
                    double peak_mib) {
  std::vector<CabResult> lines = results;
  const CabResult total = Total(results);
  lines.push_back(total);
  const std::string title =
      "Cabinets with MSZIP (-Z): sizes in bytes, speeds in MB/s (10^6 bytes of input, best of " +
      std::to_string(options.runs) + " runs; ours in memory, the peers end to end)";
  PrintTable<CabResult>(
      title.c_str(),
      {{"file", [](const CabResult& r) { return r.name; }},
       {"bytes", [](const CabResult& r) { return std::to_string(r.size); }},
       {"ours", [](const CabResult& r) { return std::to_string(r.ours); }},
       {"gcab -z", [](const CabResult& r) { return Count(r.gcab); }},
       {"xz -9", [](const CabResult& r) { return Count(r.xz); }},
       {"ours/gcab", [](const CabResult& r) { return Show(Ratio(r.ours, r.gcab), 4); }},
       {"ours/xz", [](const CabResult& r) { return Show(Ratio(r.ours, r.xz), 4); }},
       {"ours MB/s", [](const CabResult& r) { return Show(Speed(r.size, r.ours_seconds), 2); }},
       {"gcab MB/s", [](const CabResult& r) { return Show(Speed(r.size, r.gcab_seconds), 2); }},
       {"xz MB/s", [](const CabResult& r) { return Show(Speed(r.size, r.xz_seconds), 2); }}},
      lines);

  PrintLzxTable(lines, options);

  std::printf("\nTargets (timings are reported, never asserted):\n");
  if (total.gcab) {
    const std::vector<std::string> missed = MissedSizeTargets(results);
    std::printf(
        "  MSZIP size: at least %.0f%% smaller than gcab -z but where gcab cannot compress, "
        "never larger: %s\n",
        100 * kSmallerThanGcab, Verdict(missed.empty()));
    for (const std::string& line : missed)
      std::printf("    %s\n", line.c_str());
  }
  const std::vector<std::string> missed = MissedLzxTargets(results);
  std::printf(
      "  LZX size: never larger than MSZIP, at most %.2f times xz -9 but where xz cannot "
      "compress: %s\n",
      kLzxOverXz, Verdict(missed.empty()));
  for (const std::string& line : missed)
    std::printf("    %s\n", line.c_str());
  PrintSpeedVerdict("MSZIP", total.size, total.ours_seconds, options);
  PrintSpeedVerdict("LZX", total.size, total.lzx_seconds, options);
  std::printf(
      "  memory: %.0f MiB at the peak, the bench's own buffers included (target under "
      "%.0f MiB): %s\n",
      peak_mib, kTargetMemoryMiB, Verdict(peak_mib < kTargetMemoryMiB));
}

}  // namespace bench
