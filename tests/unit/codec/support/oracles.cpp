#include "support/oracles.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace codec_test {
namespace fs = std::filesystem;

namespace {

fs::path ScratchFolder() {
  std::random_device random;
  const fs::path folder =
      fs::temp_directory_path() / ("oracle-" + std::to_string(random()) + std::to_string(random()));
  fs::create_directories(folder / "out");
  return folder;
}

std::string Quoted(const fs::path& path) {
  return "'" + path.string() + "'";
}

}  // namespace

const char* OracleName(Oracle oracle) {
  return oracle == Oracle::kCabextract ? "cabextract" : "7-Zip";
}

std::optional<ExtractedFiles> ExtractWith(Oracle oracle, const Bytes& cabinet) {
  const fs::path folder = ScratchFolder();
  const fs::path input = folder / "input.cab";
  std::ofstream(input, std::ios::binary)
      .write(reinterpret_cast<const char*>(cabinet.data()),
             static_cast<std::streamsize>(cabinet.size()));
  const fs::path out = folder / "out";
  const std::string command =
      oracle == Oracle::kCabextract
          ? "cabextract -q -d " + Quoted(out) + " " + Quoted(input) + " >/dev/null 2>&1"
          : "7zz x -y -o" + Quoted(out) + " " + Quoted(input) + " >/dev/null 2>&1";
  std::optional<ExtractedFiles> files;
  if (std::system(command.c_str()) == 0) {
    files.emplace();
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(out)) {
      if (!entry.is_regular_file()) continue;
      std::ifstream stream(entry.path(), std::ios::binary);
      (*files)[fs::relative(entry.path(), out).generic_string()] =
          Bytes(std::istreambuf_iterator<char>(stream), {});
    }
  }
  fs::remove_all(folder);
  return files;
}

}  // namespace codec_test
