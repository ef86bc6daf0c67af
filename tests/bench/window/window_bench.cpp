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

void KeystrokeOnAFolderOf(int count) {
  const ProgramFolder folder(Tools::kRecorder);
  for (int i = 0; i < count; ++i) {
    static const wchar_t* const kExtensions[] = {L".txt", L".JPG", L".pdf", L".tx_"};
    const fs::path file =
        folder.Source() / (L"Rapport annuel " + std::to_wstring(i) + kExtensions[i % 4]);
    CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_ARCHIVE, nullptr));
  }
  const double reads = BestMilliseconds(kRuns, [&] {
    ReadFolder(folder.Source());
    ReadFolder(folder.Source());
  });

  const RunningProgram program(folder.Program(), folder.Source(), std::chrono::minutes(5));
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

}  // namespace

int wmain() {
  std::printf("One keystroke in the filter box of the real window, best of %d\n\n", kRuns);
  std::printf("%10s  %16s  %14s  %18s\n", "files", "two reads (ms)", "keystroke (ms)",
              "beyond reads (ms)");
  for (const int count : {1'000, 10'000, 100'000})
    KeystrokeOnAFolderOf(count);
  return 0;
}
