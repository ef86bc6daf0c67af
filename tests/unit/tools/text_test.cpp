#include "common/text.h"

#include <gtest/gtest.h>

namespace tools {
namespace {

TEST(Utf16ToUtf8, ConvertsAndComesBackUnchanged) {
  const std::u16string samples[] = {
      u"C:\\DONNÉES\\RAPPORT.TXT",
      u"\U0001F600 emoji",
      std::u16string(1, char16_t{0xD800}) + u"lone high",
      u"lone low" + std::u16string(1, char16_t{0xDFFF}),
      std::u16string(1, char16_t{0xDC00}) + std::u16string(1, char16_t{0xD800}),  // reversed pair
  };
  for (const std::u16string& sample : samples) {
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(sample)), sample);
  }
  EXPECT_EQ(Utf16ToUtf8(u"é"), "\xC3\xA9");
  EXPECT_EQ(Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

TEST(Utf8ToUtf16, ReplacesWhatIsNotUtf8) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF"
                        "b"),
            u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");                      // overlong slash
  EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"\uFFFD\uFFFD");                      // cut short
  EXPECT_EQ(Utf8ToUtf16("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");  // above U+10FFFF
}

TEST(DecodeForComparison, KeepsInvalidBytesDistinct) {
  EXPECT_NE(DecodeForComparison("\xFF"), DecodeForComparison("\xFE"));
  EXPECT_EQ(DecodeForComparison("é"), std::u32string(1, U'é'));
}

TEST(FoldCase, LatinLettersOnly) {
  EXPECT_EQ(FoldCase(U'A'), U'a');
  EXPECT_EQ(FoldCase(U'É'), U'é');
  EXPECT_EQ(FoldCase(U'Œ'), U'œ');
  EXPECT_EQ(FoldCase(U'Ÿ'), U'ÿ');
  EXPECT_EQ(FoldCase(U'Ł'), U'ł');
  EXPECT_EQ(FoldCase(U'×'), U'×');
  EXPECT_EQ(FoldCase(U'ĸ'), U'ĸ');
  EXPECT_EQ(FoldCase(U'é'), U'é');
}

}  // namespace
}  // namespace tools
