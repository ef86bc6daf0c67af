// What our COMPRESS.EXE writes, the system's own expand.exe restores bit for bit.
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

TEST(Interop, TheSystemExpandRestoresOurFiles) {
  Scratch scratch;
  fs::create_directories(scratch.path() / L"src");
  fs::create_directories(scratch.path() / L"packed");
  fs::create_directories(scratch.path() / L"out");
  const auto shapes = Shapes();
  for (const auto& [name, bytes] : shapes)
    WriteBytes(scratch.path() / L"src" / name, bytes);

  const std::wstring compress = CompressExe().wstring();
  const Launched packed =
      Launch(compress, L"\"" + compress + L"\" -R \"" + (scratch.path() / L"src\\*").wstring() +
                           L"\" \"" + (scratch.path() / L"packed").wstring() + L"\"");
  ASSERT_EQ(packed.exit_code, 0u) << packed.output;

  const std::wstring expand = SystemExpand();
  for (const auto& [name, bytes] : shapes) {
    std::wstring packed_name = name;
    packed_name.back() = L'_';
    const fs::path from = scratch.path() / L"packed" / packed_name;
    const fs::path to = scratch.path() / L"out" / name;
    const Launched restored =
        Launch(expand, L"expand.exe \"" + from.wstring() + L"\" \"" + to.wstring() + L"\"");
    EXPECT_EQ(restored.exit_code, 0u) << restored.output;
    ASSERT_TRUE(fs::exists(to)) << to.string();
    EXPECT_EQ(ReadBytes(to), bytes) << to.string();
  }
}

}  // namespace
}  // namespace tools::e2e
