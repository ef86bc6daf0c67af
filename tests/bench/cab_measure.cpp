#include "cab_measure.h"

#include <algorithm>
#include <memory>
#include <system_error>
#include <vector>

#include "file_io.h"
#include "lzx/lzx_encoder.h"
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

// Our encoder made by `make` over the data, timed in memory: its blocks, and the best seconds.
template <typename MakeEncoder>
std::vector<codec_test::CraftedBlock> EncodeTimed(std::span<const std::uint8_t> data,
                                                  const CabOptions& options, double& seconds,
                                                  CabResult& result, const MakeEncoder& make) {
  BlockList sink;
  seconds = BestSeconds(options.runs, [&] {
    sink.blocks.clear();
    const std::unique_ptr<codec::FolderEncoder> encoder = make(sink);
    codec::Error error = encoder->Feed(data);
    if (error == codec::Error::kOk) error = encoder->Finish();
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
    result.problems.push_back("MISMATCH: " + program.filename().string() + " does not extract " +
                              arguments.back() + " to the file");
  }
  std::error_code ignored;
  fs::remove(extracted, ignored);
}

// Writes our cabinet as `cabinet` and has cabextract and 7-Zip extract it.
bool WriteAndCheck(const codec_test::Bytes& bytes, const fs::path& cabinet,
                   std::span<const std::uint8_t> data, const CabOptions& options,
                   const fs::path& scratch, CabResult& result) {
  if (!WriteWholeFile(cabinet, bytes)) return false;
  if (options.cabextract) {
    const fs::path folder = scratch / "cabextract";
    CheckExtraction(*options.cabextract, {"-q", "-d", folder.string(), cabinet.string()},
                    folder / result.name, data, result);
  }
  if (options.seven_zip) {
    const fs::path folder = scratch / "7zz";
    CheckExtraction(*options.seven_zip, {"x", "-y", "-o" + folder.string(), cabinet.string()},
                    folder / result.name, data, result);
  }
  return true;
}

}  // namespace

void MeasureCabinets(std::span<const std::uint8_t> data, const CabOptions& options,
                     const fs::path& scratch, CabResult& result) {
  const fs::path input = scratch / result.name;
  const codec_test::Bytes mszip = codec_test::SingleFileCabinet(
      result.name, codec::kMethodMsZip,
      EncodeTimed(data, options, result.ours_seconds, result, [&](codec::BlockSink& sink) {
        return std::make_unique<codec::MsZipEncoder>(sink, options.threads);
      }));
  result.ours = mszip.size();
  const codec_test::Bytes lzx = codec_test::SingleFileCabinet(
      result.name, codec::LzxType(options.lzx_window),
      EncodeTimed(data, options, result.lzx_seconds, result, [&](codec::BlockSink& sink) {
        return std::make_unique<codec::LzxEncoder>(sink, options.lzx_window, options.threads);
      }));
  result.lzx = lzx.size();
  if (!WriteWholeFile(input, data) ||
      !WriteAndCheck(mszip, scratch / "mszip.cab", data, options, scratch, result) ||
      !WriteAndCheck(lzx, scratch / "lzx.cab", data, options, scratch, result)) {
    result.problems.push_back("cannot write into the scratch folder " + scratch.string());
    return;
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
