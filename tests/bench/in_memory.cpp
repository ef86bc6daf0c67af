#include "in_memory.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <string>

#include "codec/codec.h"
#include "stopwatch.h"
#include "szdd_minimum.h"

namespace bench {

std::vector<std::uint8_t> MeasureOurCodec(std::span<const std::uint8_t> data, int runs,
                                          FileResult& result) {
  std::vector<std::uint8_t> compressed;
  codec::Error error = codec::Error::kOk;
  result.compress_seconds = BestSeconds(runs, [&] {
    compressed.clear();
    const codec::Error run_error = codec::CompressSzdd(data, 0, compressed);
    if (run_error != codec::Error::kOk) error = run_error;
  });
  if (error != codec::Error::kOk) {
    result.problems.push_back("our compressor failed: " + std::string(codec::ToText(error)));
    return {};
  }
  result.ours = compressed.size();

  std::vector<std::uint8_t> expanded;
  result.expand_seconds = BestSeconds(runs, [&] {
    expanded.clear();
    const codec::Error run_error = codec::Expand(compressed, expanded);
    if (run_error != codec::Error::kOk) error = run_error;
  });
  if (error != codec::Error::kOk) {
    result.problems.push_back("MISMATCH: our expander refuses our output: " +
                              std::string(codec::ToText(error)));
  } else if (!std::ranges::equal(expanded, data)) {
    result.problems.push_back("MISMATCH: our output does not expand back to the input");
  }
  return compressed;
}

void MeasureMemoryCopy(std::span<const std::uint8_t> data, int runs, FileResult& result) {
  if (data.empty()) return;  // no speed to show, and memcpy wants real pointers
  std::vector<std::uint8_t> copy(data.size());
  // A copy is quick and noisy: a few more runs than the rest.
  result.memcpy_seconds = BestSeconds(std::max(runs, 10), [&] {
    std::memcpy(copy.data(), data.data(), data.size());
    KeepWritten(copy.data());
  });
}

void MeasureMinimum(std::span<const std::uint8_t> data, bool require_equal, FileResult& result) {
  const auto start = std::chrono::steady_clock::now();
  const Minimum minimum = ComputeMinimum(data);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  result.minimum_seconds = elapsed.count();
  result.minimum = minimum.bytes;

  std::vector<std::uint8_t> expanded;
  if (minimum.file.size() != minimum.bytes ||
      codec::Expand(minimum.file, expanded) != codec::Error::kOk ||
      !std::ranges::equal(expanded, data)) {
    result.problems.push_back(
        "MISMATCH: the minimum's own encoding (" + std::to_string(minimum.file.size()) +
        " bytes for " + std::to_string(minimum.bytes) + ") does not expand back to the input");
  }
  if (result.ours == 0) return;  // compression failed, already reported
  if (result.ours < result.minimum) {
    result.problems.push_back("MISMATCH: our " + std::to_string(result.ours) +
                              " bytes beat the minimum of " + std::to_string(result.minimum) +
                              ", so that minimum is wrong");
  } else if (require_equal && result.ours > result.minimum) {
    result.problems.push_back("our " + std::to_string(result.ours) +
                              " bytes exceed the minimum of " + std::to_string(result.minimum));
  }
}

}  // namespace bench
