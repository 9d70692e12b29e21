// What the portable decoders give for invalid input is what the platform's
// converter gives under Wine (the Windows tests compare the two directly).
#include "text/code_page_decoder.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(DecodeCp932, SingleAndDoubleBytes) {
  EXPECT_EQ(DecodeCp932(std::string("a\0\x1F\x7F", 4)), std::u16string(u"a\0\u001F\u007F", 4));
  EXPECT_EQ(DecodeCp932("\x80\xA0\xB1\xDF\xFD\xFE\xFF"), u"\u0080\uF8F0\uFF71\uFF9F\uF8F1\uF8F2\uF8F3");
  EXPECT_EQ(DecodeCp932("\x81\x40\x82\xA0\x81\x60\x87\x40"), u"\u3000\u3042\uFF5E\u2460");
  EXPECT_EQ(DecodeCp932("\xF0\x40\xF9\xFC\xFA\x40\xFC\x4B\xED\x40"), u"\uE000\uE757\u2170\u9ED1\u7E8A");
}

TEST(DecodeCp932, LeadByteTakesAnyNextByte) {
  EXPECT_EQ(DecodeCp932("\x81\n" "a"), u"\u30FBa");  // the pair is one default character
  EXPECT_EQ(DecodeCp932("\x81\x7F\x81\xFD\x85\x40\xFC\xFC"), u"\u30FB\u30FB\u30FB\u30FB");
  EXPECT_EQ(DecodeCp932("a\xE0"), u"a\u30FB");  // lead byte at the end
  EXPECT_EQ(DecodeCp932(std::string("\x81\0", 2)), std::u16string(u"\u30FB\0", 2));  // NUL stays
}

TEST(DecodeUtf8, ValidSequences) {
  EXPECT_EQ(DecodeUtf8("a\xC3\xA9\xE3\x81\x82\xEF\xBB\xBF"), u"a\u00E9\u3042\uFEFF");
  EXPECT_EQ(DecodeUtf8("\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF"), u"\U0001F600\U0010FFFF");
  EXPECT_EQ(DecodeUtf8("\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80"), u"\u0800\uD7FF\uE000");
}

TEST(DecodeUtf8, InvalidSequences) {
  struct Case {
    const char* in;
    std::u16string out;
  } cases[] = {
      {"\x80", u"\uFFFD"},
      {"\xC3" "A", u"\uFFFD" "A"},
      {"\xC0\xAF", u"\uFFFD\uFFFD"},
      {"\xE3\xC3\xA9", u"\uFFFD\u00E9"},
      {"\xE0\x80" "AA", u"\uFFFD" "AA"},          // overlong: both bytes in one
      {"\xE0\x80\x80", u"\uFFFD\uFFFD"},
      {"\xED\xA0\x80", u"\uFFFD\uFFFD"},          // surrogate
      {"\xF0\x80\x80" "A", u"\uFFFD\uFFFD" "A"},
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
      {"\xF4\x8F" "AA", u"\uFFFD" "AA"},
      {"\xF8\x80", u"\uFFFD\uFFFD"},
      {"\xE3\x41", u"\uFFFD"},  // too short for its lead byte: the rest is one bad sequence
      {"x\xF0\x9F\x98", u"x\uFFFD"},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeUtf8(c.in), c.out) << testing::PrintToString(std::string(c.in));
}

TEST(DecodeUtf7, Runs) {
  EXPECT_EQ(DecodeUtf7("a+-b"), u"a+b");
  EXPECT_EQ(DecodeUtf7("+MEIwRA-x"), u"\u3042\u3044x");
  EXPECT_EQ(DecodeUtf7("+MEI!A"), u"\u3042!A");  // the ending byte is kept
  EXPECT_EQ(DecodeUtf7("+MEIAAA"), std::u16string(u"\u3042\0", 2));
  EXPECT_EQ(DecodeUtf7("+AA-"), u"");
  EXPECT_EQ(DecodeUtf7("+MEIw-+AA"), u"\u3042");  // "-" drops the odd bits
  EXPECT_EQ(DecodeUtf7("a+"), u"a");
  EXPECT_EQ(DecodeUtf7("!\xE3"), u"!\u00E3");
  EXPECT_EQ(DecodeUtf7("+ME\xE3+I-"), u"\u00E3\u3042");  // an 8-bit byte keeps the odd bits
}

TEST(PortableCodePageDecoder, ByCodePage) {
  PortableCodePageDecoder d;
  EXPECT_EQ(d.Decode(kCodePageSjis, "\x82\xA0"), u"\u3042");
  EXPECT_EQ(d.Decode(kCodePageUtf8, "\xE3\x81\x82"), u"\u3042");
  EXPECT_EQ(d.Decode(kCodePageUtf7, "+MEI-"), u"\u3042");
  EXPECT_EQ(d.Decode(1252, "abc"), u"");
}

}  // namespace
}  // namespace zk
