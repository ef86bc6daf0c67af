// The MSZIP blocks of cabinets made by gcab, inflated in memory by our decoder and by zlib (reset
// and given the history as its dictionary for each block, as a cabinet reader must), best of
// several runs, in MB/s of output. One cabinet per kind of corpus file: texts, binaries,
// already-compressed data, random bytes. Both outputs are checked against the corpus files.
//
//   tassefiche-inflate-bench [--gcab PATH] [--runs N] CORPUS
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "file_io.h"
#include "inflate/mszip_blocks.h"
#include "mszip/mszip_block_decoder.h"
#include "process.h"
#include "stopwatch.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

std::string KindOf(const fs::path& file) {
  const std::string name = file.filename().string();
  const auto ends = [&name](const std::string& end) {
    return name.size() >= end.size() &&
           name.compare(name.size() - end.size(), end.size(), end) == 0;
  };
  if (ends(".txt") || ends(".roff") || ends(".hpp")) return "text";
  if (ends(".gz")) return "compressed";
  if (ends("random.bin")) return "random";
  return "binaries";
}

// The old way: zlib reset for each block and given the last 32 KiB as its dictionary.
class ZlibBlocks {
 public:
  ZlibBlocks() { inflateInit2(&stream_, -15); }
  ~ZlibBlocks() { inflateEnd(&stream_); }
  ZlibBlocks(const ZlibBlocks&) = delete;
  ZlibBlocks& operator=(const ZlibBlocks&) = delete;

  bool Decode(std::span<const std::uint8_t> coded, std::span<std::uint8_t> out) {
    inflateReset(&stream_);
    if (!history_.empty()) {
      inflateSetDictionary(&stream_, history_.data(), static_cast<uInt>(history_.size()));
    }
    stream_.next_in = const_cast<Bytef*>(coded.data() + 2);  // zlib's API is not const-correct
    stream_.avail_in = static_cast<uInt>(coded.size() - 2);
    stream_.next_out = out.data();
    stream_.avail_out = static_cast<uInt>(out.size());
    const int status = inflate(&stream_, Z_FINISH);
    history_.insert(history_.end(), out.begin(), out.end());
    if (history_.size() > 32768) {
      history_.erase(history_.begin(), history_.end() - 32768);
    }
    return status == Z_STREAM_END && stream_.avail_out == 0;
  }

 private:
  z_stream stream_{};
  Bytes history_;
};

template <typename Decoder>
bool DecodeAll(Decoder decoder, const std::vector<bench::MsZipBlock>& blocks, Bytes& out) {
  std::size_t at = 0;
  for (const bench::MsZipBlock& block : blocks) {
    const std::span<std::uint8_t> into(out.data() + at, block.expanded);
    if (!decoder(block.coded, into)) return false;
    at += block.expanded;
  }
  bench::KeepWritten(out.data());
  return true;
}

struct Row {
  std::string kind;
  std::size_t bytes = 0;
  double ours = 0;  // MB/s
  double zlib = 0;
  bool ok = true;
};

Row Measure(const std::string& kind, const std::vector<fs::path>& files, const fs::path& gcab,
            int runs) {
  Row row{kind};
  bench::ScratchFolder scratch;
  const fs::path cabinet = scratch.path() / "bench.cab";
  std::vector<std::string> arguments = {"-c", "-z", "-n", cabinet.string()};
  Bytes expected;
  for (const fs::path& file : files) {
    arguments.push_back(file.string());
    const auto bytes = bench::ReadWholeFile(file);
    if (bytes) expected.insert(expected.end(), bytes->begin(), bytes->end());
  }
  const auto made = bench::RunProcess(gcab, arguments);
  const auto bytes = bench::ReadWholeFile(cabinet);
  const auto blocks = bytes ? bench::MsZipBlocks(*bytes) : std::nullopt;
  if (!made.succeeded || !blocks) {
    std::fprintf(stderr, "%s: no cabinet from gcab %s\n", kind.c_str(), made.failure.c_str());
    row.ok = false;
    return row;
  }
  row.bytes = expected.size();
  Bytes ours_out(expected.size());
  Bytes zlib_out(expected.size());
  // Turn about, so that both meet the same load from the rest of the machine.
  double ours = std::numeric_limits<double>::infinity();
  double zlib = ours;
  for (int run = 0; run < runs; ++run) {
    ours = std::min(ours, bench::BestSeconds(1, [&] {
                      codec::MsZipBlockDecoder decoder;
                      row.ok &= DecodeAll(
                          [&decoder](auto coded, auto into) {
                            return decoder.Decode(coded, into) == codec::Error::kOk;
                          },
                          *blocks, ours_out);
                    }));
    zlib = std::min(zlib, bench::BestSeconds(1, [&] {
                      ZlibBlocks decoder;
                      row.ok &= DecodeAll(
                          [&decoder](auto coded, auto into) { return decoder.Decode(coded, into); },
                          *blocks, zlib_out);
                    }));
  }
  row.ok &= ours_out == expected && zlib_out == expected;
  row.ours = static_cast<double>(row.bytes) / ours / 1e6;
  row.zlib = static_cast<double>(row.bytes) / zlib / 1e6;
  return row;
}

}  // namespace

int main(int argc, char** argv) {
  fs::path gcab = "/usr/bin/gcab";
  int runs = 15;
  fs::path corpus;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--gcab" && i + 1 < argc) {
      gcab = argv[++i];
    } else if (argument == "--runs" && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else {
      corpus = argument;
    }
  }
  if (corpus.empty()) {
    std::fprintf(stderr, "usage: tassefiche-inflate-bench [--gcab PATH] [--runs N] CORPUS\n");
    return 2;
  }
  std::map<std::string, std::vector<fs::path>> kinds;
  for (const auto& entry : fs::directory_iterator(corpus)) {
    if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') {
      kinds[KindOf(entry.path())].push_back(entry.path());
    }
  }
  bool ok = true;
  std::printf("%-12s %10s %12s %12s %7s\n", "kind", "bytes", "ours MB/s", "zlib MB/s", "ratio");
  for (auto& [kind, files] : kinds) {
    std::sort(files.begin(), files.end());
    const Row row = Measure(kind, files, gcab, runs);
    ok &= row.ok;
    std::printf("%-12s %10zu %12.0f %12.0f %6.2fx%s\n", row.kind.c_str(), row.bytes, row.ours,
                row.zlib, row.ours / row.zlib, row.ok ? "" : "  WRONG OUTPUT");
  }
  return ok ? 0 : 1;
}
