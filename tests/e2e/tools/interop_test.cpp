// What our COMPRESS.EXE writes, the system's own expand.exe restores bit for bit, and what the
// system's cabinet maker writes, our EXPAND.EXE reads.
#include <windows.h>

#include <gtest/gtest.h>

#include <random>

#include "support/launch.h"

namespace tools::e2e {
namespace {

namespace fs = std::filesystem;

std::wstring SystemExpand() {
  wchar_t folder[MAX_PATH];
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  return std::wstring(folder, length) + L"\\expand.exe";
}

std::vector<std::pair<std::wstring, Bytes>> Shapes() {
  std::mt19937 random(3);
  Bytes text;
  const std::string line = "Le système d'exploitation lit ce fichier.\r\n";
  while (text.size() < 20000)
    text.insert(text.end(), line.begin(), line.end());
  Bytes runs;
  for (int i = 0; i < 50000; ++i)
    runs.push_back(static_cast<std::uint8_t>((i / 500) % 2 == 0 ? 0 : i / 500));
  Bytes noise(30000);
  for (auto& byte : noise)
    byte = static_cast<std::uint8_t>(random());
  Bytes spaces(5000, ' ');
  return {{L"VIDE.TXT", {}},     {L"UN.TXT", {'x'}},     {L"TEXTE.TXT", text},
          {L"PLAGES.BIN", runs}, {L"HASARD.BIN", noise}, {L"BLANCS.TXT", spaces}};
}

// SZDD files and both kinds of cabinet, each restored by the system's expand.exe and by ours.
TEST(Interop, TheSystemExpandRestoresOurFiles) {
  Scratch scratch;
  fs::create_directories(scratch.path() / L"src");
  const auto shapes = Shapes();
  for (const auto& [name, bytes] : shapes)
    WriteBytes(scratch.path() / L"src" / name, bytes);

  const std::wstring compress = CompressExe().wstring();
  const std::wstring ours = ExpandExe().wstring();
  struct Method {
    const wchar_t* option;
    const wchar_t* folder;
  };
  for (const auto& [method, folder] : {Method{L"", L"szdd"}, Method{L"-Z", L"mszip"},
                                       Method{L"-ZX", L"lzx"}, Method{L"-ZX:15", L"lzx15"}}) {
    SCOPED_TRACE(fs::path(folder).string());
    const fs::path packed_folder = scratch.path() / folder;
    fs::create_directories(packed_folder);
    const Launched packed = Launch(compress, L"\"" + compress + L"\" " + method + L" -R \"" +
                                                 (scratch.path() / L"src\\*").wstring() + L"\" \"" +
                                                 packed_folder.wstring() + L"\"");
    ASSERT_EQ(packed.exit_code, 0u) << packed.output;

    for (const std::wstring& expand : {SystemExpand(), ours}) {
      const fs::path out = packed_folder / (expand == ours ? L"ours" : L"system");
      fs::create_directories(out);
      for (const auto& [name, bytes] : shapes) {
        std::wstring packed_name = name;
        packed_name.back() = L'_';
        const fs::path from = packed_folder / packed_name;
        const fs::path to = out / name;
        const Launched restored =
            Launch(expand, L"expand.exe \"" + from.wstring() + L"\" \"" + to.wstring() + L"\"");
        EXPECT_EQ(restored.exit_code, 0u) << restored.output;
        ASSERT_TRUE(fs::exists(to)) << to.string();
        EXPECT_EQ(ReadBytes(to), bytes) << to.string();
      }
    }
  }
}

std::wstring SystemTool(const wchar_t* name) {
  return fs::path(SystemExpand()).parent_path() / name;
}

// The system's cabinet maker, stored and MSZIP, with folders kept: our EXPAND.EXE gives every
// file back. (Its sets over several cabinets fail to complete here; a set it made is among the
// native tests' fixtures.)
TEST(Interop, OurExpandReadsTheSystemsCabinets) {
  Scratch scratch;
  const fs::path src = scratch.path() / L"src";
  fs::create_directories(src / L"sous");
  std::mt19937 random(5);
  Bytes noise(150000);
  for (auto& byte : noise)
    byte = static_cast<std::uint8_t>(random());
  const std::vector<std::pair<std::wstring, Bytes>> files = {
      {L"texte.txt", Shapes()[2].second}, {L"sous\\hasard.bin", noise}, {L"vide.txt", {}}};
  for (const auto& [name, bytes] : files)
    WriteBytes(src / name, bytes);

  const std::wstring cabarc = SystemTool(L"cabarc.exe");
  const std::wstring expand = ExpandExe().wstring();
  struct Case {
    const wchar_t* name;
    const wchar_t* options;
  };
  for (const Case& c : {Case{L"stored", L"-m none"}, Case{L"mszip", L"-m mszip"}}) {
    SCOPED_TRACE(fs::path(c.name).string());
    const fs::path cabinets = scratch.path() / c.name;
    fs::create_directories(cabinets);
    // cabarc names the files as given, relative to its current folder: run it from src.
    const std::wstring first = (cabinets / L"part*.cab").wstring();
    const Launched made = Launch(cabarc,
                                 L"cabarc.exe -p " + std::wstring(c.options) + L" N \"" + first +
                                     L"\" texte.txt sous\\hasard.bin vide.txt",
                                 src.wstring());
    ASSERT_EQ(made.exit_code, 0u) << made.output;
    const fs::path out = cabinets / L"out";
    const Launched expanded =
        Launch(expand, L"EXPAND.EXE \"" + (cabinets / L"part1.cab").wstring() + L"\" \"" +
                           out.wstring() + L"\"");
    EXPECT_EQ(expanded.exit_code, 0u) << expanded.output;
    for (const auto& [name, bytes] : files)
      EXPECT_EQ(ReadBytes(out / name), bytes);
  }
}

}  // namespace
}  // namespace tools::e2e
