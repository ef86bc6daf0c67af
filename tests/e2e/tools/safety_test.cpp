// What the tools promise about the destination on Windows, under Wine: a device is written
// straight through, a killed tool leaves nothing, a replaced file keeps its attributes, a
// read-only one is refused, and -R names the output after the long name of a source given by its
// short alias.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <thread>

#include "support/launch.h"

namespace tools::e2e {
namespace {

namespace fs = std::filesystem;

Bytes Report() {
  Bytes bytes;
  const std::string line = "Bilan annuel : les ventes progressent.\r\n";
  for (int i = 0; i < 250; ++i)
    bytes.insert(bytes.end(), line.begin(), line.end());
  return bytes;
}

// Names in a folder as the folder stores them, case included, sorted.
std::vector<std::wstring> Names(const fs::path& folder) {
  std::vector<std::wstring> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().wstring());
  std::sort(names.begin(), names.end());
  return names;
}

class Safety : public testing::Test {
 protected:
  Safety() {
    fs::create_directories(scratch_.path() / L"in");
    fs::create_directories(scratch_.path() / L"out");
    WriteBytes(scratch_.path() / L"in" / L"RAPPORT.TXT", Report());
    const Launched packed = Run(L"COMPRESS.EXE", L"-R " + In(L"RAPPORT.TXT") + L" " + In(L""));
    EXPECT_EQ(packed.exit_code, 0u) << packed.output;
  }

  Launched Run(const wchar_t* tool, const std::wstring& arguments) {
    const fs::path exe = Tool(tool);
    return Launch(exe.wstring(), L"\"" + exe.wstring() + L"\" " + arguments);
  }
  static fs::path Tool(const wchar_t* tool) {
    return std::wstring(tool) == L"COMPRESS.EXE" ? CompressExe() : ExpandExe();
  }
  std::wstring In(const std::wstring& name) { return (scratch_.path() / L"in" / name).wstring(); }
  std::wstring Out(const std::wstring& name) { return (scratch_.path() / L"out" / name).wstring(); }

  Scratch scratch_;
};

TEST_F(Safety, NulTakesTheOutputAndNothingIsCreated) {
  const Launched expanded = Run(L"EXPAND.EXE", In(L"RAPPORT.TX_") + L" NUL");
  EXPECT_EQ(expanded.exit_code, 0u) << expanded.output;
  EXPECT_NE(expanded.output.find("-> NUL (10000 octets)"), std::string::npos) << expanded.output;
  const Launched compressed = Run(L"COMPRESS.EXE", In(L"RAPPORT.TXT") + L" NUL");
  EXPECT_EQ(compressed.exit_code, 0u) << compressed.output;
  EXPECT_EQ(Names(scratch_.path() / L"in"),
            (std::vector<std::wstring>{L"RAPPORT.TXT", L"RAPPORT.TX_"}));
  const Launched source = Run(L"EXPAND.EXE", L"NUL " + Out(L"X.TXT"));
  EXPECT_EQ(source.exit_code, 2u) << source.output;
  EXPECT_NE(source.output.find("est un périphérique, pas un fichier"), std::string::npos)
      << source.output;
}

TEST_F(Safety, AKilledCompressLeavesNothingAndTheDestinationAsItWas) {
  Bytes noise(48 << 20);
  std::mt19937 random(9);
  for (auto& byte : noise)
    byte = static_cast<std::uint8_t>(random());
  WriteBytes(scratch_.path() / L"in" / L"GROS.BIN", noise);
  const Bytes keep = {'k', 'e', 'e', 'p'};
  for (const bool existing : {false, true}) {
    SCOPED_TRACE(existing ? "replacing" : "new");
    if (existing) WriteBytes(scratch_.path() / L"out" / L"GROS.BI_", keep);
    const std::vector<std::wstring> before = Names(scratch_.path() / L"out");
    const fs::path exe = CompressExe();
    HANDLE process = Start(
        exe.wstring(), L"\"" + exe.wstring() + L"\" " + In(L"GROS.BIN") + L" " + Out(L"GROS.BI_"));
    bool writing = false;
    for (int i = 0; i < 600 && !writing; ++i) {
      writing = Names(scratch_.path() / L"out").size() > before.size();
      if (!writing) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    TerminateProcess(process, 99);
    WaitForSingleObject(process, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    if (!writing || code != 99) GTEST_SKIP() << "the tool ended before it could be killed";
    // The system deletes the file once the killed process's handles are closed.
    for (int i = 0; i < 100 && Names(scratch_.path() / L"out") != before; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(Names(scratch_.path() / L"out"), before);
    if (existing) {
      EXPECT_EQ(ReadBytes(scratch_.path() / L"out" / L"GROS.BI_"), keep);
    }
  }
}

TEST_F(Safety, AReplacedHiddenFileStaysHidden) {
  const fs::path destination = scratch_.path() / L"out" / L"CACHE.TXT";
  WriteBytes(destination, {'o', 'l', 'd'});
  ASSERT_NE(SetFileAttributesW(destination.c_str(), FILE_ATTRIBUTE_HIDDEN), 0);
  const Launched expanded = Run(L"EXPAND.EXE", In(L"RAPPORT.TX_") + L" " + destination.wstring());
  EXPECT_EQ(expanded.exit_code, 0u) << expanded.output;
  EXPECT_EQ(ReadBytes(destination), Report());
  EXPECT_NE(GetFileAttributesW(destination.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
  EXPECT_EQ(Names(scratch_.path() / L"out"), std::vector<std::wstring>{L"CACHE.TXT"});
}

TEST_F(Safety, AReadOnlyDestinationIsRefusedAndLeftAsItWas) {
  const fs::path destination = scratch_.path() / L"out" / L"FIGE.TXT";
  WriteBytes(destination, {'o', 'l', 'd'});
  ASSERT_NE(SetFileAttributesW(destination.c_str(), FILE_ATTRIBUTE_READONLY), 0);
  for (const auto& [tool, source] : {std::pair{L"EXPAND.EXE", In(L"RAPPORT.TX_")},
                                     std::pair{L"COMPRESS.EXE", In(L"RAPPORT.TXT")}}) {
    const Launched refused = Run(tool, source + L" " + destination.wstring());
    EXPECT_EQ(refused.exit_code, 3u) << refused.output;
    EXPECT_NE(refused.output.find("est protégé en écriture : refusé, il reste tel quel"),
              std::string::npos)
        << refused.output;
    EXPECT_EQ(ReadBytes(destination), (Bytes{'o', 'l', 'd'}));
    EXPECT_NE(GetFileAttributesW(destination.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(Names(scratch_.path() / L"out"), std::vector<std::wstring>{L"FIGE.TXT"});
  }
  SetFileAttributesW(destination.c_str(), FILE_ATTRIBUTE_NORMAL);  // so that it can be removed
}

TEST_F(Safety, RenamingFromAShortAliasUsesTheLongStoredName) {
  const fs::path long_name = scratch_.path() / L"in" / L"Rapport annuel.txt";
  WriteBytes(long_name, Report());
  const std::wstring alias = ShortPath(long_name);
  ASSERT_NE(alias, long_name.wstring());
  // As the program sends it: short paths, the whole line in capitals.
  const fs::path exe = CompressExe();
  const Launched by_alias =
      Launch(exe.wstring(), UpperCased(L"\"" + exe.wstring() + L"\" -R " + alias + L" " +
                                       ShortPath(scratch_.path() / L"out")));
  ASSERT_EQ(by_alias.exit_code, 0u) << by_alias.output;
  EXPECT_EQ(Names(scratch_.path() / L"out"), std::vector<std::wstring>{L"Rapport annuel.tx_"});

  // Back again from the compressed file's alias: the stored long name, restored.
  fs::create_directories(scratch_.path() / L"back");
  const Launched back =
      Run(L"EXPAND.EXE", L"-R " + ShortPath(scratch_.path() / L"out" / L"Rapport annuel.tx_") +
                             L" " + (scratch_.path() / L"back").wstring());
  ASSERT_EQ(back.exit_code, 0u) << back.output;
  EXPECT_EQ(Names(scratch_.path() / L"back"), std::vector<std::wstring>{L"Rapport annuel.txt"});

  // A source given by its long name, in whatever case, keeps that name.
  const Launched by_name =
      Run(L"COMPRESS.EXE", L"-R \"" + In(L"RAPPORT ANNUEL.TXT") + L"\" " + In(L""));
  ASSERT_EQ(by_name.exit_code, 0u) << by_name.output;
  const std::vector<std::wstring> in = Names(scratch_.path() / L"in");
  EXPECT_NE(std::find(in.begin(), in.end(), L"RAPPORT ANNUEL.TX_"), in.end());
}

}  // namespace
}  // namespace tools::e2e
