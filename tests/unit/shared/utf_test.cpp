#include "shared/utf.h"

#include <gtest/gtest.h>

namespace shared {
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
  EXPECT_NE(DecodeForComparison(std::string_view("\xFF")),
            DecodeForComparison(std::string_view("\xFE")));
  EXPECT_EQ(DecodeForComparison(std::string_view("é")), std::u32string(1, U'é'));
}

TEST(WideText, RoundTripsThroughUtf8WhateverTheWidthOfWchar) {
  const std::wstring samples[] = {L"C:\\DONNÉES\\RAPPORT.TXT", L"\U0001F600 emoji", L"ωμέγα ё"};
  for (const std::wstring& sample : samples) {
    EXPECT_EQ(Utf8ToWide(WideToUtf8(sample)), sample);
  }
  EXPECT_EQ(WideToUtf8(L"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(DecodeForComparison(std::wstring_view(L"a\U0001F600")), U"a\U0001F600");
}

}  // namespace
}  // namespace shared
