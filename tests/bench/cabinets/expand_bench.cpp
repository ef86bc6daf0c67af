// EXPAND on large cabinets against cabextract and 7-Zip, end to end as a user runs them: each
// extracts the whole cabinet into an empty folder, best of several runs, all measured in the same
// run. The cabinets: the corpus by gcab (MSZIP, one file per corpus file) and the corpus joined
// into one file by our COMPRESS -ZX (LZX); with --large, a cabinet of about 1 GiB for our peak
// memory. Every extraction is checked against the corpus. Prints a table; exits non-zero when an
// output is wrong or a program fails.
//
//   tassefiche-expand-bench --compress PATH --expand PATH [--runs N] [--large] CORPUS
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

#include "file_io.h"
#include "process.h"

namespace {

namespace fs = std::filesystem;

struct Settings {
  fs::path compress;
  fs::path expand;
  fs::path corpus;
  int runs = 3;
  bool large = false;
};

struct Timing {
  double seconds = std::numeric_limits<double>::infinity();
  long peak_kib = 0;
  std::string failure;
};

std::vector<fs::path> CorpusFiles(const fs::path& corpus) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(corpus)) {
    if (entry.is_regular_file() && entry.path().filename().string()[0] != '.') {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

fs::path Found(const char* name) {
  for (const char* folder : {"/usr/bin", "/usr/local/bin", "/bin"}) {
    if (fs::exists(fs::path(folder) / name)) return fs::path(folder) / name;
  }
  return {};
}

// Best of `runs` extractions of `cabinet` by `program` into `out`, emptied before each.
Timing Time(const fs::path& program, std::vector<std::string> arguments, const fs::path& out,
            int runs) {
  Timing timing;
  for (int run = 0; run < runs; ++run) {
    fs::remove_all(out);
    fs::create_directories(out);
    const bench::ProcessRun done = bench::RunProcess(program, arguments);
    if (!done.succeeded) {
      timing.failure = done.failure;
      return timing;
    }
    timing.seconds = std::min(timing.seconds, done.seconds);
    timing.peak_kib = std::max(timing.peak_kib, done.peak_kib);
  }
  return timing;
}

bool SameFile(const fs::path& a, const fs::path& b) {
  std::ifstream x(a, std::ios::binary);
  std::ifstream y(b, std::ios::binary);
  std::vector<char> p(1 << 20);
  std::vector<char> q(1 << 20);
  while (x && y) {
    x.read(p.data(), static_cast<std::streamsize>(p.size()));
    y.read(q.data(), static_cast<std::streamsize>(q.size()));
    if (x.gcount() != y.gcount() || !std::equal(p.begin(), p.begin() + x.gcount(), q.begin())) {
      return false;
    }
  }
  return x.eof() && y.eof();
}

// The whole corpus in one file, as the LZX cabinet holds it.
fs::path Joined(const std::vector<fs::path>& files, const fs::path& to, std::uintmax_t at_least) {
  std::ofstream out(to, std::ios::binary);
  std::uintmax_t size = 0;
  do {
    for (const fs::path& file : files) {
      std::ifstream in(file, std::ios::binary);
      out << in.rdbuf();
      size += fs::file_size(file);
    }
  } while (size < at_least);
  return to;
}

struct Row {
  std::string name;
  std::uintmax_t size = 0;
  std::uintmax_t expanded = 0;
  Timing ours, cabextract, sevenzip;
};

bool Measure(const Settings& settings, const fs::path& cabinet, const fs::path& work,
             const std::vector<std::pair<fs::path, fs::path>>& expected, Row& row) {
  const fs::path out = work / "out";
  row.size = fs::file_size(cabinet);
  row.ours = Time(settings.expand, {cabinet.string(), out.string() + "/"}, out, settings.runs);
  bool right = row.ours.failure.empty();
  for (const auto& [made, original] : expected) {
    right = right && SameFile(out / made, original);
  }
  if (!right)
    std::printf("*** %s: our output is wrong %s\n", row.name.c_str(), row.ours.failure.c_str());
  if (const fs::path cabextract = Found("cabextract"); !cabextract.empty()) {
    row.cabextract =
        Time(cabextract, {"-q", "-d", out.string(), cabinet.string()}, out, settings.runs);
  }
  if (const fs::path sevenzip = Found("7zz"); !sevenzip.empty()) {
    row.sevenzip = Time(sevenzip, {"x", "-y", "-bd", "-o" + out.string(), cabinet.string()}, out,
                        settings.runs);
  }
  fs::remove_all(out);
  return right;
}

void Print(const std::vector<Row>& rows) {
  std::printf("\n%-26s %12s %12s %9s %9s %9s %11s %10s %10s\n", "cabinet", "size", "expanded",
              "ours s", "cabext s", "7zz s", "ours MiB", "cabext/us", "7zz/us");
  for (const Row& row : rows) {
    std::printf("%-26s %12ju %12ju %9.3f %9.3f %9.3f %11.1f %9.2fx %9.2fx\n", row.name.c_str(),
                row.size, row.expanded, row.ours.seconds, row.cabextract.seconds,
                row.sevenzip.seconds, static_cast<double>(row.ours.peak_kib) / 1024.0,
                row.cabextract.seconds / row.ours.seconds, row.sevenzip.seconds / row.ours.seconds);
  }
  std::printf(
      "(times: best of the runs, end to end; cabext/us and 7zz/us: how many times faster we "
      "are; ours MiB: our peak resident memory)\n");
}

int Run(const Settings& settings) {
  const bench::ScratchFolder scratch;
  const fs::path work = scratch.path();
  const std::vector<fs::path> files = CorpusFiles(settings.corpus);
  std::uintmax_t corpus_size = 0;
  for (const fs::path& file : files)
    corpus_size += fs::file_size(file);
  std::vector<Row> rows;
  bool right = true;

  // MSZIP by gcab: every corpus file, by its name.
  const fs::path gcab = Found("gcab");
  if (!gcab.empty()) {
    std::vector<std::string> arguments = {"-c", "-z", "-n", (work / "mszip.cab").string()};
    for (const fs::path& file : files)
      arguments.push_back(file.string());
    if (!bench::RunProcess(gcab, arguments).succeeded) {
      std::printf("*** gcab failed\n");
      return 1;
    }
    std::vector<std::pair<fs::path, fs::path>> expected;
    for (const fs::path& file : files)
      expected.emplace_back(file.filename(), file);
    Row row{"corpus, MSZIP by gcab", 0, corpus_size, {}, {}, {}};
    right = Measure(settings, work / "mszip.cab", work, expected, row) && right;
    rows.push_back(row);
  }

  // LZX by our writer: the corpus as one file.
  const fs::path joined = Joined(files, work / "corpus.bin", 0);
  const bench::ProcessRun made =
      bench::RunProcess(settings.compress, {"-ZX", joined.string(), (work / "lzx.cab").string()});
  if (!made.succeeded) {
    std::printf("*** COMPRESS -ZX failed: %s\n", made.failure.c_str());
    return 1;
  }
  Row lzx{"corpus, LZX by COMPRESS -ZX", 0, fs::file_size(joined), {}, {}, {}};
  right = Measure(settings, work / "lzx.cab", work, {{"corpus.bin", joined}}, lzx) && right;
  rows.push_back(lzx);
  fs::remove(work / "lzx.cab");

  if (settings.large && !gcab.empty()) {
    fs::remove(joined);
    const fs::path big = Joined(files, work / "grand.bin", std::uintmax_t{1} << 30);
    bench::RunProcess(gcab, {"-c", "-z", "-n", (work / "grand.cab").string(), big.string()});
    Row row{"1 GiB, MSZIP by gcab", 0, fs::file_size(big), {}, {}, {}};
    Settings once = settings;
    once.runs = 1;
    right = Measure(once, work / "grand.cab", work, {{"grand.bin", big}}, row) && right;
    rows.push_back(row);
  }
  Print(rows);
  for (const Row& row : rows) {
    for (const Timing* timing : {&row.ours, &row.cabextract, &row.sevenzip}) {
      if (!timing->failure.empty()) {
        std::printf("*** %s: %s\n", row.name.c_str(), timing->failure.c_str());
        right = false;
      }
    }
  }
  return right ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  Settings settings;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if (word == "--compress" && i + 1 < argc) {
      settings.compress = argv[++i];
    } else if (word == "--expand" && i + 1 < argc) {
      settings.expand = argv[++i];
    } else if (word == "--runs" && i + 1 < argc) {
      settings.runs = std::max(1, std::atoi(argv[++i]));
    } else if (word == "--large") {
      settings.large = true;
    } else {
      settings.corpus = word;
    }
  }
  if (settings.compress.empty() || settings.expand.empty() || settings.corpus.empty()) {
    std::fprintf(
        stderr,
        "usage: tassefiche-expand-bench --compress PATH --expand PATH [--runs N] [--large] "
        "CORPUS\n");
    return 2;
  }
  return Run(settings);
}
