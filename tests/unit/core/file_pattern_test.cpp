#include "platform/file_pattern.h"

#include <gtest/gtest.h>

#include "platform/platform_error.h"

namespace tassefiche {
namespace {

bool Shows(std::wstring_view pattern, std::wstring_view name) {
  return FilePattern::Parse(pattern).Matches(name);
}

TEST(FilePattern, ThePresetsOfTheFilterBox) {
  EXPECT_TRUE(Shows(L"*.*", L"RAPPORT.TXT"));
  EXPECT_TRUE(Shows(L"*.*", L"LISEZMOI"));
  EXPECT_TRUE(Shows(L"*.??_", L"RAPPORT.TX_"));
  EXPECT_TRUE(Shows(L"*.??_", L"archive.tar.gz_"));
  EXPECT_FALSE(Shows(L"*.??_", L"RAPPORT.TXT"));
  EXPECT_FALSE(Shows(L"*.??_", L"notes.data_"));
  EXPECT_FALSE(Shows(L"*.??_", L"A.B_"));
  EXPECT_TRUE(Shows(L"*.exe", L"SETUP.EXE"));
  EXPECT_FALSE(Shows(L"*.exe", L"setup.exe.txt"));
}

TEST(FilePattern, WildcardsAndLetterCase) {
  EXPECT_TRUE(Shows(L"rap*.t?t", L"Rapport.TXT"));
  EXPECT_TRUE(Shows(L"*port*", L"rapport annuel.doc"));
  EXPECT_TRUE(Shows(L"a*b*c", L"aXXbYYbZZc"));
  EXPECT_FALSE(Shows(L"a*b*c", L"aXXbYYbZZ"));
  EXPECT_FALSE(Shows(L"?", L""));
  EXPECT_TRUE(Shows(L"données.*", L"DONNÉES.CSV"));
}

TEST(FilePattern, ExtensionRulesOfTheCommandLine) {
  EXPECT_TRUE(Shows(L"rapport.*", L"rapport"));
  EXPECT_TRUE(Shows(L"*.", L"LISEZMOI"));
  EXPECT_FALSE(Shows(L"*.", L"LISEZMOI.TXT"));
}

TEST(FilePattern, SeveralPatternsJoinedBySemicolons) {
  const FilePattern both = FilePattern::Parse(L"*.txt; *.doc ;;");
  EXPECT_TRUE(both.Matches(L"a.txt"));
  EXPECT_TRUE(both.Matches(L"b.DOC"));
  EXPECT_FALSE(both.Matches(L"c.exe"));
}

TEST(FilePattern, AnEmptyTextShowsEveryFile) {
  EXPECT_TRUE(Shows(L"", L"RAPPORT.TXT"));
  EXPECT_TRUE(Shows(L"  ;  ", L"LISEZMOI"));
}

TEST(FilePattern, RefusesCharactersThatCannotBeInAName) {
  for (const wchar_t* refused :
       {L"c:*.*", L"dossier\\*.*", L"*.txt|*.doc", L"<a>", L"\"a\"", L"a/b", L"a\tb"}) {
    EXPECT_THROW(FilePattern::Parse(refused), PlatformError) << refused;
  }
}

}  // namespace
}  // namespace tassefiche
