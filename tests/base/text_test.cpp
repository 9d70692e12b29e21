#include "base/text.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(TextTest, IntegersInDecimalAndBothHexNotations) {
  EXPECT_EQ(ParseInt64(u"  -42 "), -42);
  EXPECT_EQ(ParseInt64(u"+7"), 7);
  EXPECT_EQ(ParseInt64(u"0x1f"), 31);
  EXPECT_EQ(ParseInt64(u"0X1F"), 31);
  EXPECT_EQ(ParseInt64(u"$Ff"), 255);
  EXPECT_EQ(ParseInt64(u"-$10"), -16);
  EXPECT_EQ(ParseInt64(u"9223372036854775807"), INT64_MAX);
  EXPECT_EQ(ParseInt64(u"-9223372036854775808"), INT64_MIN);
  for (const char16_t* bad : {u"", u" ", u"-", u"$", u"0x", u"12a", u"1 2", u"0x1g", u"--1", u"9223372036854775808",
                              u"99999999999999999999999", u"１２"})
    EXPECT_EQ(ParseInt64(bad), std::nullopt) << Utf16ToUtf8(bad);
}

TEST(TextTest, HexSpellsOutThe32BitPattern) {
  // Colours are stored this way: $FF00000F is the system colour 15.
  EXPECT_EQ(ParseInt32(u"$FF00000F"), -16777201);
  EXPECT_EQ(ParseInt32(u"$FFFFFFFF"), -1);
  EXPECT_EQ(ParseInt64(u"$100000000"), 4294967296);
  EXPECT_EQ(ParseInt32(u"$100000000"), std::nullopt);
  EXPECT_EQ(ParseInt32(u"2147483647"), INT32_MAX);
  EXPECT_EQ(ParseInt32(u"2147483648"), std::nullopt);
  EXPECT_EQ(ParseInt32(u"-2147483648"), INT32_MIN);
  EXPECT_EQ(IntToText(-5000000000), u"-5000000000");
}

TEST(TextTest, Utf8AndUtf16) {
  const std::u16string text = u"ＭＳ Ｐゴシック 𝄞 é";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf8ToUtf16("a\xC3\x28z"), u"a\uFFFD(z");
  EXPECT_EQ(Utf8ToUtf16("\xE2\x82"), u"\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");  // overlong "/"
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(TextTest, CaseFoldingCoversFullWidthAndGreek) {
  EXPECT_TRUE(EqualsIgnoreCase(u".Mp3", u".mP3"));
  EXPECT_TRUE(EqualsIgnoreCase(u"ＡＢＣ", u"ａｂｃ"));
  EXPECT_TRUE(EqualsIgnoreCase(u"ÉΣЖ", u"éσж"));
  EXPECT_FALSE(EqualsIgnoreCase(u"a", u"ab"));
  EXPECT_TRUE(StartsWithIgnoreCase(u"/Ifolder", u"/i"));
  EXPECT_EQ(Trim(u"\t x y \r\n"), u"x y");
}

}  // namespace
}  // namespace zk
