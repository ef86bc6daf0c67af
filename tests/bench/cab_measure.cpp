#include "cab_measure.h"

#include <algorithm>
#include <system_error>
#include <vector>

#include "file_io.h"
#include "mszip/mszip_encoder.h"
#include "process.h"
#include "stopwatch.h"
#include "support/crafted_cabinet.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

class BlockList final : public codec::BlockSink {
 public:
  bool Take(std::span<const std::uint8_t> coded, std::uint32_t expanded_size) override {
    blocks.push_back({{coded.begin(), coded.end()}, static_cast<std::uint16_t>(expanded_size), {}});
    return true;
  }
  std::vector<codec_test::CraftedBlock> blocks;
};

std::vector<codec_test::CraftedBlock> EncodeTimed(std::span<const std::uint8_t> data,
                                                  const CabOptions& options, CabResult& result) {
  BlockList sink;
  result.ours_seconds = BestSeconds(options.runs, [&] {
    sink.blocks.clear();
    codec::MsZipEncoder encoder(sink, options.threads);
    codec::Error error = encoder.Feed(data);
    if (error == codec::Error::kOk) error = encoder.Finish();
    if (error != codec::Error::kOk) result.problems.push_back("our encoder failed");
  });
  return std::move(sink.blocks);
}

// Runs a peer once, timed; nothing (and a problem said) when it fails.
std::optional<double> Timed(const fs::path& program, const std::vector<std::string>& arguments,
                            const Redirections& redirections, CabResult& result) {
  const ProcessRun run = RunProcess(program, arguments, redirections);
  if (!run.succeeded) {
    result.problems.push_back(run.failure);
    return std::nullopt;
  }
  return run.seconds;
}

std::optional<std::uint64_t> SizeOf(const fs::path& path) {
  std::error_code error;
  const std::uintmax_t size = fs::file_size(path, error);
  if (error) return std::nullopt;
  return size;
}

void CheckExtraction(const fs::path& program, const std::vector<std::string>& arguments,
                     const fs::path& extracted, std::span<const std::uint8_t> data,
                     CabResult& result) {
  if (!Timed(program, arguments, {}, result)) return;
  const auto bytes = ReadWholeFile(extracted);
  if (!bytes || !std::ranges::equal(*bytes, data)) {
    result.problems.push_back("MISMATCH: " + program.filename().string() +
                              " does not extract our cabinet to the file");
  }
}

}  // namespace

void MeasureCabinets(std::span<const std::uint8_t> data, const CabOptions& options,
                     const fs::path& scratch, CabResult& result) {
  const fs::path input = scratch / result.name;
  const fs::path ours = scratch / "ours.cab";
  const codec_test::Bytes cabinet = codec_test::SingleFileCabinet(
      result.name, codec::kMethodMsZip, EncodeTimed(data, options, result));
  result.ours = cabinet.size();
  if (!WriteWholeFile(input, data) || !WriteWholeFile(ours, cabinet)) {
    result.problems.push_back("cannot write into the scratch folder " + scratch.string());
    return;
  }
  if (options.cabextract) {
    const fs::path folder = scratch / "cabextract";
    CheckExtraction(*options.cabextract, {"-q", "-d", folder.string(), ours.string()},
                    folder / result.name, data, result);
  }
  if (options.seven_zip) {
    const fs::path folder = scratch / "7zz";
    CheckExtraction(*options.seven_zip, {"x", "-y", "-o" + folder.string(), ours.string()},
                    folder / result.name, data, result);
  }
  if (options.gcab) {
    // Without its path, gcab stores the same name as ours.
    const fs::path output = scratch / "gcab.cab";
    result.gcab_seconds =
        Timed(*options.gcab, {"-c", "-z", "-n", output.string(), input.string()}, {}, result);
    if (result.gcab_seconds) result.gcab = SizeOf(output);
  }
  if (options.xz) {
    const fs::path output = scratch / "file.xz";
    result.xz_seconds = Timed(*options.xz, {"-9", "-c"}, {input, output}, result);
    if (result.xz_seconds) result.xz = SizeOf(output);
  }
}

}  // namespace bench
