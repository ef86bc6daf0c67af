// COMPRESS.EXE and EXPAND.EXE started exactly as the program starts them.
#include <windows.h>

#include <gtest/gtest.h>

#include "support/launch.h"

namespace tools::e2e {
namespace {

namespace fs = std::filesystem;

Bytes Report() {
  Bytes bytes;
  const std::string line = "Rapport trimestriel : chiffres en hausse.\r\n";
  for (int i = 0; i < 300; ++i)
    bytes.insert(bytes.end(), line.begin(), line.end());
  return bytes;
}

class ProgramLines : public testing::Test {
 protected:
  ProgramLines() {
    // The tools sit in a folder whose name holds blanks, as an installation folder may.
    app_ = scratch_.path() / L"Mes Outils";
    fs::create_directories(app_);
    fs::copy_file(CompressExe(), app_ / L"COMPRESS.EXE");
    fs::copy_file(ExpandExe(), app_ / L"EXPAND.EXE");
    fs::create_directories(scratch_.path() / L"DONNEES");
    fs::create_directories(scratch_.path() / L"ARCHIVES");
    WriteBytes(scratch_.path() / L"DONNEES" / L"RAPPORT.TXT", Report());
  }

  Launched Run(const wchar_t* tool, const std::wstring& arguments) {
    const fs::path exe = app_ / tool;
    return Launch(exe.wstring(), UpperCased(L"\"" + exe.wstring() + L"\" " + arguments));
  }

  std::wstring At(const wchar_t* relative) { return (scratch_.path() / relative).wstring(); }

  Scratch scratch_;
  fs::path app_;
};

TEST_F(ProgramLines, CompressThenExpandAsTheProgramWritesThem) {
  const Launched compressed =
      Run(L"COMPRESS.EXE", L"-R " + At(L"DONNEES\\RAPPORT.TXT") + L" " + At(L"ARCHIVES"));
  ASSERT_EQ(compressed.exit_code, 0u) << compressed.output;
  const Bytes packed = ReadBytes(scratch_.path() / L"ARCHIVES" / L"RAPPORT.TX_");
  ASSERT_GE(packed.size(), 14u);
  EXPECT_EQ(packed[9], 'T');

  const Launched expanded =
      Run(L"EXPAND.EXE", At(L"ARCHIVES\\RAPPORT.TX_") + L" " + At(L"ARCHIVES\\RAPPORT.TXT"));
  ASSERT_EQ(expanded.exit_code, 0u) << expanded.output;
  EXPECT_NE(expanded.output.find("12900 octets"), std::string::npos)  // ours, not Wine's own
      << expanded.output;
  EXPECT_EQ(ReadBytes(scratch_.path() / L"ARCHIVES" / L"RAPPORT.TXT"), Report());
}

TEST_F(ProgramLines, ShortPathsAndQuotedPathsWithBlanks) {
  fs::create_directories(scratch_.path() / L"Mes Données");
  WriteBytes(scratch_.path() / L"Mes Données" / L"Rapport annuel.txt", Report());
  const std::wstring source_short =
      ShortPath(scratch_.path() / L"Mes Données" / L"Rapport annuel.txt");
  const Launched by_short =
      Run(L"COMPRESS.EXE", L"-R " + source_short + L" " + ShortPath(scratch_.path() / L"ARCHIVES"));
  ASSERT_EQ(by_short.exit_code, 0u) << by_short.output;

  const Launched quoted = Run(L"COMPRESS.EXE", L"-R \"" + At(L"Mes Données\\Rapport annuel.txt") +
                                                   L"\" \"" + At(L"Mes Données") + L"\"");
  ASSERT_EQ(quoted.exit_code, 0u) << quoted.output;
  const Launched back = Run(L"EXPAND.EXE", L"\"" + At(L"Mes Données\\RAPPORT ANNUEL.TX_") +
                                               L"\" \"" + At(L"ARCHIVES\\copie.txt") + L"\"");
  ASSERT_EQ(back.exit_code, 0u) << back.output;
  EXPECT_EQ(ReadBytes(scratch_.path() / L"ARCHIVES" / L"copie.txt"), Report());
}

TEST_F(ProgramLines, TheSameFileUnderItsShortNameOrAHardLinkIsRefused) {
  const fs::path long_name = scratch_.path() / L"DONNEES" / L"Un nom de fichier long.txt";
  WriteBytes(long_name, Report());
  const std::wstring alias = ShortPath(long_name);
  ASSERT_NE(alias, long_name.wstring());
  const Launched refused = Run(L"COMPRESS.EXE", L"\"" + long_name.wstring() + L"\" " + alias);
  EXPECT_EQ(refused.exit_code, 3u) << refused.output;
  EXPECT_EQ(ReadBytes(long_name), Report());

  const fs::path link = scratch_.path() / L"DONNEES" / L"LIEN.TXT";
  ASSERT_NE(CreateHardLinkW(link.c_str(), long_name.c_str(), nullptr), 0);
  const Launched through_link =
      Run(L"COMPRESS.EXE", L"\"" + long_name.wstring() + L"\" " + link.wstring());
  EXPECT_EQ(through_link.exit_code, 3u) << through_link.output;
  EXPECT_EQ(ReadBytes(long_name), Report());
}

TEST_F(ProgramLines, PatternsReachTheToolUnexpanded) {
  // Expanded by the runtime, the one match would look like a plain file name and be written.
  const Launched one_match =
      Run(L"COMPRESS.EXE", At(L"DONNEES\\*.TXT") + L" " + At(L"ARCHIVES\\SEUL.TX_"));
  EXPECT_EQ(one_match.exit_code, 3u) << one_match.output;
  EXPECT_FALSE(fs::exists(scratch_.path() / L"ARCHIVES" / L"SEUL.TX_"));

  const fs::path exe = app_ / L"COMPRESS.EXE";
  const Launched lower =
      Launch(exe.wstring(),
             L"\"" + exe.wstring() + L"\" -r " + At(L"DONNEES\\rap*.txt") + L" " + At(L"ARCHIVES"));
  EXPECT_EQ(lower.exit_code, 0u) << lower.output;
  EXPECT_TRUE(fs::exists(scratch_.path() / L"ARCHIVES" / L"RAPPORT.TX_"));
}

TEST_F(ProgramLines, RedirectedMessagesAreUtf8) {
  const Launched missing = Run(L"EXPAND.EXE", At(L"DONNEES\\ABSENT.TX_") + L" " + At(L"ARCHIVES"));
  EXPECT_EQ(missing.exit_code, 2u);
  EXPECT_NE(missing.output.find("\xC2\xAB"), std::string::npos) << missing.output;  // «
}

}  // namespace
}  // namespace tools::e2e
