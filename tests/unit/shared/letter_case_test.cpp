#include "shared/letter_case.h"

#include <gtest/gtest.h>

namespace shared {
namespace {

TEST(ToUpper, EachLetterHasOneCapitalAtMost) {
  const struct {
    char32_t small;
    char32_t capital;
  } pairs[] = {
      {U'a', U'A'}, {U'z', U'Z'}, {U'é', U'É'}, {U'þ', U'Þ'}, {U'ÿ', U'Ÿ'},  // ASCII, Latin-1
      {U'ā', U'Ā'}, {U'ł', U'Ł'}, {U'œ', U'Œ'}, {U'ž', U'Ž'}, {U'ĳ', U'Ĳ'},  // Latin Extended-A
      {U'ω', U'Ω'}, {U'ς', U'Σ'}, {U'έ', U'Έ'}, {U'ώ', U'Ώ'},                // Greek
      {U'ф', U'Ф'}, {U'ё', U'Ё'}, {U'я', U'Я'},                              // Cyrillic
  };
  for (const auto& [small, capital] : pairs) {
    EXPECT_EQ(ToUpper(small), capital) << static_cast<unsigned>(small);
    EXPECT_EQ(ToUpper(capital), capital) << static_cast<unsigned>(capital);
  }
}

TEST(ToUpper, CharactersWithoutACapitalOfTheirOwnStay) {
  // ı and İ pair with nothing, so that neither stands for i or I; ĸ and ŉ have no capital.
  for (const char32_t same : {U'1', U'_', U'×', U'÷', U'ß', U'µ', U'ı', U'İ', U'ĸ', U'ŉ', U'ſ',
                              U'中', char32_t{0xD800}, U'\U0001F600'}) {
    EXPECT_EQ(ToUpper(same), same) << static_cast<unsigned>(same);
  }
  EXPECT_EQ(ToUpper(U"Rapport d'été"), U"RAPPORT D'ÉTÉ");
}

}  // namespace
}  // namespace shared
