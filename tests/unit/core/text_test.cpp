#include "platform/text.h"

#include <gtest/gtest.h>

namespace tassefiche {
namespace {

TEST(Text, UpperCasesLatinGreekAndCyrillicLettersOnly) {
  EXPECT_EQ(ToUpper(L"c:\\données\\rapport_é.tx_"), L"C:\\DONNÉES\\RAPPORT_É.TX_");
  EXPECT_EQ(ToUpper(L"œuvre ÿ ł ž"), L"ŒUVRE Ÿ Ł Ž");
  EXPECT_EQ(ToUpper(L"ωμέγα ς"), L"ΩΜΈΓΑ Σ");
  EXPECT_EQ(ToUpper(L"файл ё"), L"ФАЙЛ Ё");
  // Digits, punctuation, the division sign and ß have no capital of their own here.
  EXPECT_EQ(ToUpper(L"1-2_3 ÷ ß ~"), L"1-2_3 ÷ ß ~");
}

TEST(Text, ComparesNamesIgnoringCase) {
  EXPECT_TRUE(EqualsNoCase(L"Rapport.TXT", L"rapport.txt"));
  EXPECT_TRUE(EqualsNoCase(L"Élève", L"éLÈVE"));
  EXPECT_FALSE(EqualsNoCase(L"rapport", L"rapports"));
  EXPECT_LT(CompareNoCase(L"abc", L"ABD"), 0);
  EXPECT_GT(CompareNoCase(L"b", L"A"), 0);
  EXPECT_LT(CompareNoCase(L"ab", L"ABC"), 0);
}

TEST(Text, TrimsSpacesButNoOtherBlank) {
  EXPECT_EQ(TrimBlanks(L"  D:\\ARCHIVES  "), L"D:\\ARCHIVES");
  EXPECT_EQ(TrimBlanks(L"   "), L"");
  EXPECT_EQ(TrimBlanks(L"\trapport\t"), L"\trapport\t");
  EXPECT_EQ(TrimBlanks(L" a b "), L"a b");
}

}  // namespace
}  // namespace tassefiche
