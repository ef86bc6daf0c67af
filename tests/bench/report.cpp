#include "report.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <limits>
#include <optional>
#include <string>

#include "table.h"
#include "totals.h"

namespace bench {
namespace {

constexpr double kCompressTarget = 100;  // times mscompress's speed
constexpr double kExpandTarget = 400;    // MB/s of output

using Column = bench::Column<FileResult>;
using bench::Show;

std::optional<double> Ratio(std::optional<double> a, std::optional<double> b) {
  if (!a || !b || *b <= 0) return std::nullopt;
  return *a / *b;
}

// Speed ratios span from thousandths (against a memory copy) to thousands (against the peers).
std::string ShowRatio(std::optional<double> value) {
  if (!value) return "-";
  return Fixed(*value, *value < 1 ? 4 : 1) + "x";
}

std::string Show(std::optional<std::uint64_t> value) {
  return value ? std::to_string(*value) : "-";
}

std::optional<double> OursPerMinimum(const FileResult& f) {
  if (f.ours == 0 || f.minimum == 0) return std::nullopt;
  return static_cast<double>(f.ours) / static_cast<double>(f.minimum);
}

std::optional<double> CompressRatio(const FileResult& f) {
  return Ratio(Speed(f.size, f.compress_seconds), Speed(f.size, f.mscompress_seconds));
}

void PrintTables(const std::vector<FileResult>& lines, int runs) {
  const auto name = [](const FileResult& f) { return f.name; };
  const auto speed = [](auto seconds) {
    return [seconds](const FileResult& f) { return Show(Speed(f.size, f.*seconds), 1); };
  };
  const auto ratio = [](auto first, auto second) {
    return [first, second](const FileResult& f) {
      return ShowRatio(Ratio(Speed(f.size, f.*first), Speed(f.size, f.*second)));
    };
  };
  PrintTable("Sizes in bytes (minimum: the smallest SZDD file the format allows)",
             {{"file", name},
              {"bytes", [](const FileResult& f) { return std::to_string(f.size); }},
              {"minimum", [](const FileResult& f) { return std::to_string(f.minimum); }},
              {"ours", [](const FileResult& f) { return std::to_string(f.ours); }},
              {"ours/min", [](const FileResult& f) { return Show(OursPerMinimum(f), 4); }},
              {"mscompress", [](const FileResult& f) { return Show(f.mscompress_size); }},
              {"ours/msc",
               [](const FileResult& f) {
                 if (!f.mscompress_size || *f.mscompress_size == 0) return std::string("-");
                 return Fixed(static_cast<double>(f.ours) / static_cast<double>(*f.mscompress_size),
                              4);
               }}},
             lines);

  const std::string when = " (MB/s, 1 MB = 10^6 bytes, best of " + std::to_string(runs) +
                           " runs; ours in memory, tool and peers end to end)";
  PrintTable(
      ("Compression speed, of input" + when).c_str(),
      {{"file", name},
       {"memcpy", speed(&FileResult::memcpy_seconds)},
       {"ours", speed(&FileResult::compress_seconds)},
       {"ours/memcpy", ratio(&FileResult::compress_seconds, &FileResult::memcpy_seconds)},
       {"tool", speed(&FileResult::tool_compress_seconds)},
       {"mscompress", speed(&FileResult::mscompress_seconds)},
       {"ours/msc", ratio(&FileResult::compress_seconds, &FileResult::mscompress_seconds)},
       {"tool/msc", ratio(&FileResult::tool_compress_seconds, &FileResult::mscompress_seconds)}},
      lines);
  PrintTable(("Expansion speed, of output" + when).c_str(),
             {{"file", name},
              {"memcpy", speed(&FileResult::memcpy_seconds)},
              {"ours", speed(&FileResult::expand_seconds)},
              {"ours/memcpy", ratio(&FileResult::expand_seconds, &FileResult::memcpy_seconds)},
              {"tool", speed(&FileResult::tool_expand_seconds)},
              {"msexpand", speed(&FileResult::msexpand_seconds)},
              {"ours/mse", ratio(&FileResult::expand_seconds, &FileResult::msexpand_seconds)},
              {"tool/mse", ratio(&FileResult::tool_expand_seconds, &FileResult::msexpand_seconds)}},
             lines);
}

const char* Verdict(bool met) {
  return met ? "met" : "NOT MET";
}

void PrintTargets(const std::vector<FileResult>& results, const FileResult& total) {
  std::size_t at_minimum = 0;
  double worst_size = 0;
  double slowest_compress = std::numeric_limits<double>::infinity();
  double slowest_expand = std::numeric_limits<double>::infinity();
  for (const FileResult& f : results) {
    at_minimum += f.ours > 0 && f.ours == f.minimum ? 1 : 0;  // 0: never compressed
    worst_size = std::max(worst_size, OursPerMinimum(f).value_or(0));
    slowest_compress = std::min(slowest_compress, CompressRatio(f).value_or(slowest_compress));
    slowest_expand =
        std::min(slowest_expand, Speed(f.size, f.expand_seconds).value_or(slowest_expand));
  }
  std::printf("\nTargets (timings are reported, never asserted):\n");
  std::printf("  size: %zu of %zu files at the minimum, worst ours/min %.4f (target 1.0000): %s\n",
              at_minimum, results.size(), worst_size, Verdict(at_minimum == results.size()));
  if (const auto overall = CompressRatio(total)) {
    std::printf(
        "  compression: %.1fx mscompress's speed overall, %.1fx at worst (target %.0fx): %s\n",
        *overall, slowest_compress, kCompressTarget, Verdict(slowest_compress >= kCompressTarget));
  }
  if (const auto overall = Speed(total.size, total.expand_seconds)) {
    std::printf("  expansion: %.1f MB/s overall, %.1f MB/s at worst (target %.0f MB/s): %s\n",
                *overall, slowest_expand, kExpandTarget, Verdict(slowest_expand >= kExpandTarget));
  }
  const auto tool_compress = Ratio(Speed(total.size, total.tool_compress_seconds),
                                   Speed(total.size, total.mscompress_seconds));
  const auto tool_expand = Ratio(Speed(total.size, total.tool_expand_seconds),
                                 Speed(total.size, total.msexpand_seconds));
  if (tool_compress || tool_expand) {
    std::printf(
        "  end to end: our compress tool %s mscompress's speed, our expand tool %s msexpand's\n",
        ShowRatio(tool_compress).c_str(), ShowRatio(tool_expand).c_str());
  }
  std::printf("  (the exact minimum took %.1f s to compute for %.1f MB)\n", total.minimum_seconds,
              static_cast<double>(total.size) / 1e6);
}

}  // namespace

void PrintReport(const std::vector<FileResult>& results, const Options& options) {
  std::vector<FileResult> lines = results;
  const FileResult total = SumOf(results);
  lines.push_back(total);
  PrintTables(lines, options.runs);
  PrintTargets(results, total);
}

}  // namespace bench
