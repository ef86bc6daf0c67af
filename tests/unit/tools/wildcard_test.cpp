#include "common/wildcard.h"

#include <gtest/gtest.h>

#include <string>

namespace tools {
namespace {

TEST(WildcardMatch, StarsAndQuestionMarksIgnoringCase) {
  EXPECT_TRUE(WildcardMatch("*.TX_", "rapport.tx_"));
  EXPECT_TRUE(WildcardMatch("RAPPO?T.*", "Rapport.txt"));
  EXPECT_TRUE(WildcardMatch("*", ".cache"));
  EXPECT_TRUE(WildcardMatch("a*b*c", "aXbYbZc"));
  EXPECT_FALSE(WildcardMatch("*.txt", "a.txt1"));
  EXPECT_FALSE(WildcardMatch("?.txt", "ab.txt"));
  EXPECT_FALSE(WildcardMatch("*.tx_", "a.txt"));
}

TEST(WildcardMatch, QuestionMarkTakesOneCharacterNotOneByte) {
  EXPECT_TRUE(WildcardMatch("caf?.txt", "café.txt"));
  EXPECT_FALSE(WildcardMatch("caf??.txt", "café.txt"));
}

TEST(WildcardMatch, AccentedLettersIgnoreCaseToo) {
  EXPECT_TRUE(WildcardMatch("ÉTÉ*.TXT", "été 2024.txt"));
  EXPECT_TRUE(WildcardMatch("*ŒUVRE*", "chef-d'œuvre.doc"));
  EXPECT_TRUE(WildcardMatch("ФАЙЛ*", "файл.txt"));
  EXPECT_TRUE(SameNameIgnoringCase("ÿ.TXT", "Ÿ.txt"));
  EXPECT_FALSE(SameNameIgnoringCase("×", "÷"));
}

TEST(WildcardMatch, DotStarAlsoTakesNamesWithoutExtension) {
  EXPECT_TRUE(WildcardMatch("*.*", "README"));
  EXPECT_TRUE(WildcardMatch("README.*", "README"));
  EXPECT_FALSE(WildcardMatch("README.*", "README2"));
}

TEST(WildcardMatch, ManyStarsOnALongNameStayFast) {
  const std::string name(5000, 'a');
  EXPECT_FALSE(WildcardMatch("*a*a*a*a*a*a*a*a*b", name));
  EXPECT_TRUE(WildcardMatch("*a*a*a*a*a*a*a*a*a", name));
}

TEST(HasWildcards, FindsEitherMark) {
  EXPECT_TRUE(HasWildcards("*.txt"));
  EXPECT_TRUE(HasWildcards("a?"));
  EXPECT_FALSE(HasWildcards("C:\\DONNEES\\RAPPORT.TXT"));
}

}  // namespace
}  // namespace tools
