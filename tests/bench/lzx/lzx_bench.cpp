// LZX decoding speed: a folder made of the given files (a greedy parse written by LzxWriter, the
// largest window, aligned blocks, x86 translation), decoded in memory by LzxDecoder, against
// cabextract -t and 7-Zip's test of the same cabinet, end to end, on this machine in this run.
//
// Usage: tassefiche-lzx-bench [--runs N] [--cabextract PROGRAM] [--7zz PROGRAM] FILE|FOLDER...
// A folder stands for its files, in name order, those starting with a dot left out.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lzx/lzx_decoder.h"
#include "process.h"
#include "stopwatch.h"
#include "support/lzx_streams.h"

namespace {

namespace fs = std::filesystem;
using codec_test::Bytes;

constexpr unsigned kWindowBits = 21;

struct Peer {
  const char* name;
  std::string program;
  std::vector<std::string> arguments;
};

void Append(const fs::path& path, Bytes& data) {
  if (fs::is_directory(path)) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(path)) {
      if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') {
        files.push_back(entry.path());
      }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files)
      Append(file, data);
    return;
  }
  std::ifstream in(path, std::ios::binary);
  data.insert(data.end(), std::istreambuf_iterator<char>(in), {});
}

double MegabytesPerSecond(std::size_t bytes, double seconds) {
  return static_cast<double>(bytes) / seconds / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 10;
  Peer peers[] = {{"cabextract -t, end to end", "", {"-q", "-t"}},
                  {"7-Zip t, end to end", "", {"t"}}};
  Bytes data;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 < argc && (arg == "--runs" || arg == "--cabextract" || arg == "--7zz")) {
      const std::string value = argv[++i];
      if (arg == "--runs") runs = std::atoi(value.c_str());
      if (arg == "--cabextract") peers[0].program = value;
      if (arg == "--7zz") peers[1].program = value;
      continue;
    }
    Append(arg, data);
  }
  if (data.empty() || runs < 1) {
    std::fprintf(stderr,
                 "usage: tassefiche-lzx-bench [--runs N] [--cabextract PROGRAM] [--7zz PROGRAM] "
                 "FILE|FOLDER...\n");
    return 2;
  }
  codec_test::LzxPlan plan;
  plan.window_bits = kWindowBits;
  plan.type = codec::LzxBlockType::kAligned;
  plan.block_size = std::size_t{1} << 20;
  plan.translation_size = 12000000;
  const std::vector<codec_test::CraftedBlock> blocks = codec_test::LzxFolder(data, plan);
  if (codec_test::DecodeLzxFolder(blocks, kWindowBits) != data) {
    std::fprintf(stderr, "the folder does not decode to its data\n");
    return 1;
  }
  std::size_t coded = 0;
  for (const codec_test::CraftedBlock& block : blocks)
    coded += block.coded.size();
  std::printf("%zu bytes in %zu frames, %zu coded (window of %u bits)\n", data.size(),
              blocks.size(), coded, kWindowBits);

  Bytes frame(codec::kLzxFrameSize);
  const double ours = bench::BestSeconds(runs, [&] {
    codec::LzxDecoder decoder(kWindowBits);
    for (const codec_test::CraftedBlock& block : blocks) {
      decoder.Decode(block.coded, std::span(frame).first(block.expanded_size));
      bench::KeepWritten(frame.data());
    }
  });
  std::printf("%-34s %8.1f MB/s\n", "LzxDecoder, in memory", MegabytesPerSecond(data.size(), ours));

  const fs::path folder = fs::temp_directory_path() / "tassefiche-lzx-bench";
  fs::create_directories(folder);
  const fs::path cabinet = folder / "bench.cab";
  const Bytes bytes =
      codec_test::SingleFileCabinet("data.bin", codec::LzxType(kWindowBits), blocks);
  std::ofstream(cabinet, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  for (const Peer& peer : peers) {
    if (peer.program.empty()) continue;
    std::vector<std::string> arguments = peer.arguments;
    arguments.push_back(cabinet.string());
    bool succeeded = true;
    const double seconds = bench::BestSeconds(runs, [&] {
      succeeded = succeeded && bench::RunProcess(peer.program, arguments).succeeded;
    });
    if (!succeeded) {
      std::printf("%-34s failed\n", peer.name);
      continue;
    }
    std::printf("%-34s %8.1f MB/s   (LzxDecoder %.2fx)\n", peer.name,
                MegabytesPerSecond(data.size(), seconds), seconds / ours);
  }
  fs::remove_all(folder);
  return 0;
}
