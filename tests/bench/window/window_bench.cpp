// The real program under Wine (or Windows), timed from outside.
//
// - One keystroke in the filter box on folders of many files (made beforehand by make-folders.sh),
//   against its peer measured in the same run, the two directory reads that a keystroke would cost
//   without the watch of the folder. The keystroke is the edit control's own character message,
//   sent synchronously, followed by the drawing of the whole window, so that the time covers the
//   pattern handling of both lists and their drawing.
// - The time from "&Compresser" to the compressed file showing in the target list, and how long
//   after the tool put it on the disk it shows there (target: 0.5 s).
//
// Usage: make-folders.sh FOLDERS, then, in an X display:
//   cmake/wine-run.sh build/windows/tests/bench/window/tassefiche-window-bench.exe FOLDERS
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "program_folder.h"
#include "running_program.h"

namespace {

namespace fs = std::filesystem;
using tassefiche::e2e::ProgramFolder;
using tassefiche::e2e::RunningProgram;
using tassefiche::e2e::TextOf;
using tassefiche::e2e::Tools;
using tassefiche::e2e::WaitFor;

constexpr int kBtCompres = 0;
constexpr int kText1 = 6;
constexpr int kFichier1 = 18;
constexpr int kFichier2 = 26;
constexpr int kLabel2 = 31;
constexpr int kRuns = 5;

double Milliseconds(std::chrono::steady_clock::duration elapsed) {
  return std::chrono::duration<double, std::milli>(elapsed).count();
}

template <typename Work>
double BestMilliseconds(int runs, Work&& work) {
  double best = 1e300;
  for (int run = 0; run < runs; ++run) {
    const auto start = std::chrono::steady_clock::now();
    work();
    best = std::min(best, Milliseconds(std::chrono::steady_clock::now() - start));
  }
  return best;
}

std::size_t ReadFolder(const fs::path& folder) {
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileExW((folder / L"*").c_str(), FindExInfoBasic, &found,
                                         FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  std::size_t entries = 0;
  if (search == INVALID_HANDLE_VALUE) return entries;
  do {
    ++entries;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return entries;
}

void KeystrokeOnAFolderOf(const fs::path& files, int count) {
  const ProgramFolder folder(Tools::kRecorder);
  const double reads = BestMilliseconds(kRuns, [&] {
    ReadFolder(files);
    ReadFolder(files);
  });

  const RunningProgram program(folder.Program(), files, std::chrono::minutes(5));
  const std::wstring full = L" " + std::to_wstring(count) + L" Fichiers";
  WaitFor([&] { return TextOf(program.Control(kLabel2)) == full; }, std::chrono::minutes(5));
  const HWND box = program.Control(kText1);
  SendMessageW(box, EM_SETSEL, 3, 3);  // after "*.*"
  // Each run types one more character, then takes it back, as a user hesitating does.
  bool typed = false;
  const double keystroke = BestMilliseconds(kRuns, [&] {
    SendMessageW(box, WM_CHAR, typed ? VK_BACK : L'x', 0);
    typed = !typed;
    RedrawWindow(program.Main(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  });
  std::printf("%10d  %16.1f  %14.1f  %18.1f\n", count, reads, keystroke, keystroke - reads);
}

// Writes `bytes` of text that compresses as documents do.
void WriteText(const fs::path& file, std::size_t bytes) {
  std::string text;
  for (int line = 0; text.size() < bytes; ++line) {
    text += "Ligne " + std::to_string(line) +
            " du rapport : " + std::to_string(line * 7919 % 100003) + " unités, remarque " +
            std::to_string(line % 97) + ".\r\n";
  }
  text.resize(bytes);
  const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_ARCHIVE, nullptr);
  DWORD written = 0;
  WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(handle);
}

bool TargetListShows(const RunningProgram& program, std::wstring_view name) {
  const HWND list = program.Control(kFichier2);
  const int count = program.FileCount(list);
  for (int i = 0; i < count; ++i) {
    if (program.FileEntry(list, i) == name) return true;
  }
  return false;
}

void CompressionShowing(std::size_t bytes) {
  using Clock = std::chrono::steady_clock;
  const ProgramFolder folder(Tools::kReal);
  WriteText(folder.Source() / L"RAPPORT.TXT", bytes);
  const RunningProgram program(folder.Program(), folder.Source());
  program.SelectFile(program.Control(kFichier1), L"RAPPORT.TXT");
  WaitFor([&] { return IsWindowEnabled(program.Control(kBtCompres)) != FALSE; });
  const fs::path output = folder.Source() / L"RAPPORT.TX_";
  const Clock::time_point pressed = Clock::now();
  program.Press(program.Control(kBtCompres));
  Clock::time_point on_disk{};
  Clock::time_point shown{};
  while (shown == Clock::time_point{} && Clock::now() - pressed < std::chrono::minutes(5)) {
    const Clock::time_point now = Clock::now();
    if (on_disk == Clock::time_point{} && fs::exists(output)) on_disk = now;
    if (TargetListShows(program, L"RAPPORT.TX_")) shown = now;
    Sleep(2);
  }
  if (on_disk == Clock::time_point{}) on_disk = shown;
  const bool met = shown - on_disk <= std::chrono::milliseconds(500);
  std::printf("%10.0f MB  %20.0f  %22.0f  %s\n", static_cast<double>(bytes) / 1e6,
              Milliseconds(shown - pressed), Milliseconds(shown - on_disk),
              met ? "<= 500 ms, met" : "<= 500 ms, NOT met");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tassefiche-window-bench FOLDERS (filled by make-folders.sh)\n");
    return 2;
  }
  // A Unix path reaches Wine's programs through drive Z:.
  std::wstring folders_text = argv[1];
  if (folders_text.starts_with(L'/')) folders_text = L"Z:" + folders_text;
  std::replace(folders_text.begin(), folders_text.end(), L'/', L'\\');
  const fs::path folders(folders_text);
  std::printf("One keystroke in the filter box of the real window, best of %d\n\n", kRuns);
  std::printf("%10s  %16s  %14s  %18s\n", "files", "two reads (ms)", "keystroke (ms)",
              "beyond reads (ms)");
  for (const int count : {1'000, 10'000, 100'000}) {
    KeystrokeOnAFolderOf(folders / std::to_wstring(count), count);
  }
  std::printf("\nFrom \"&Compresser\" to the file in the target list\n\n");
  std::printf("%13s  %20s  %22s  %s\n", "source", "press to shown (ms)", "on disk to shown (ms)",
              "target");
  for (const std::size_t bytes : {std::size_t{1'000'000}, std::size_t{50'000'000}}) {
    CompressionShowing(bytes);
  }
  return 0;
}
