#include "text/text_decoding.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

TextFile Decode(const std::string& bytes) { return DecodeTextBytes(bytes, PortableCodePageDecoder()); }

std::string Bytes(std::initializer_list<int> b) { return std::string(b.begin(), b.end()); }

TEST(DecodeTextBytes, Utf16Marks) {
  TextFile le = Decode(Bytes({0xFF, 0xFE, 'A', 0, 0x42, 0x30}));
  EXPECT_EQ(le.id, CharCode::kUtf16Le);
  EXPECT_EQ(le.text, u"A\u3042");
  TextFile be = Decode(Bytes({0xFE, 0xFF, 0, 'A', 0x30, 0x42, 0x99}));  // odd trailing byte ignored
  EXPECT_EQ(be.id, CharCode::kUtf16Be);
  EXPECT_EQ(be.text, u"A\u3042");
  TextFile fefe = Decode(Bytes({0xFE, 0xFE, 'A', 0}));
  EXPECT_EQ(fefe.id, CharCode::kUtf16Le);
  EXPECT_EQ(fefe.text, u"\uFEFEA");
  EXPECT_EQ(Decode(Bytes({0xFF, 0xFF})).text, u"\uFFFF");
  TextFile mark_only = Decode(Bytes({0xFF, 0xFE}));
  EXPECT_EQ(mark_only.id, CharCode::kUtf16Le);
  EXPECT_EQ(mark_only.text, u"");
}

TEST(DecodeTextBytes, Utf16WithoutMark) {
  TextFile a = Decode(Bytes({'A', 0}));
  EXPECT_EQ(a.id, CharCode::kUtf16Le);
  EXPECT_EQ(a.text, u"A");
  EXPECT_FALSE(a.HasNull);
  TextFile b = Decode(Bytes({0, 'A', 0, 0, 0, 'B'}));
  EXPECT_EQ(b.id, CharCode::kUtf16Be);
  EXPECT_EQ(b.text, u"A B");  // the U+0000 unit became a space
  EXPECT_TRUE(b.HasNull);
  TextFile nuls = Decode(Bytes({0, 0, 'A'}));  // both zero: not UTF-16
  EXPECT_EQ(nuls.id, CharCode::kSjis);
  EXPECT_EQ(nuls.text, u"  A");
  EXPECT_TRUE(nuls.HasNull);
}

TEST(DecodeTextBytes, Utf8Mark) {
  TextFile mark_only = Decode("\xEF\xBB\xBF");
  EXPECT_EQ(mark_only.id, CharCode::kUtf8Bom);
  EXPECT_EQ(mark_only.text, u"");
  TextFile t = Decode(std::string("\xEF\xBB\xBF\xE3\x81\x82\0x", 8));
  EXPECT_EQ(t.id, CharCode::kUtf8Bom);
  EXPECT_EQ(t.text, u"\u3042 x");
  EXPECT_TRUE(t.HasNull);
}

TEST(DecodeTextBytes, DetectedEncodings) {
  struct Case {
    std::string in;
    CharCode id;
    std::u16string text;
  } cases[] = {
      {"plain text!", CharCode::kSjis, u"plain text!"},
      {"x+MEIwRA-y", CharCode::kUtf7, u"x\u3042\u3044y"},
      {"\xE3\x81\x82\xE3\x81\x84", CharCode::kUtf8, u"\u3042\u3044"},
      {"\x82\xA0\x82\xA2", CharCode::kSjis, u"\u3042\u3044"},
      {"\xA4\xA2\xA4\xA4", CharCode::kEuc, u"\u3042\u3044"},
      {"\x1B$B$\"\x1B(B", CharCode::kJis, u"\u3042"},
      {"\xFF", CharCode::kSjis, u"\uF8F3"},  // nothing decided: code page 932
      {"a", CharCode::kSjis, u"a"},          // one byte: no mark tests
      {"+", CharCode::kSjis, u"+"},
      {"", CharCode::kSjis, u""},
  };
  for (const Case& c : cases) {
    TextFile t = Decode(c.in);
    EXPECT_EQ(t.id, c.id) << testing::PrintToString(c.in);
    EXPECT_EQ(t.text, c.text) << testing::PrintToString(c.in);
    EXPECT_FALSE(t.HasNull);
    EXPECT_FALSE(t.ReadError);
  }
}

TEST(DecodeTextBytes, NulBytesBecomeSpaces) {
  TextFile t = Decode(std::string("ab\0\x82\xA0", 5));
  EXPECT_EQ(t.id, CharCode::kSjis);
  EXPECT_EQ(t.text, u"ab \u3042");
  EXPECT_TRUE(t.HasNull);
  // UTF-7 makes its own: "+AAA-" is U+0000, and the text after it stays.
  t = Decode("x+MEIwRA-y+AAA-after");
  EXPECT_EQ(t.id, CharCode::kUtf7);
  EXPECT_EQ(t.text, u"x\u3042\u3044y after");
  EXPECT_TRUE(t.HasNull);
}

TEST(DecodeTextBytes, EmptyDecodingFallsBackToSjisId) {
  TextFile t = Decode("\x1B$B\x1B(B");  // JIS escapes only
  EXPECT_EQ(t.id, CharCode::kSjis);
  EXPECT_EQ(t.text, u"");
}

TEST(CharCodeName, Table) {
  EXPECT_EQ(CharCodeName(CharCode::kNone), u"");
  EXPECT_EQ(CharCodeName(CharCode::kSjis), u"[S-JIS]");
  EXPECT_EQ(CharCodeName(CharCode::kUtf16Le), u"[Unicode]");
  EXPECT_EQ(CharCodeName(CharCode::kUtf16Be), u"[Big Endian]");
  EXPECT_EQ(CharCodeName(CharCode::kUtf8Bom), u"[UTF8(BOM)]");
  EXPECT_EQ(CharCodeName(CharCode::kUtf7), u"[UTF7]");
  EXPECT_EQ(CharCodeName(CharCode::kUtf8), u"[UTF8]");
  EXPECT_EQ(CharCodeName(CharCode::kEuc), u"[EUC]");
  EXPECT_EQ(CharCodeName(CharCode::kJis), u"[JIS]");
  EXPECT_EQ(CharCodeName(static_cast<CharCode>(9)), u"");
}

}  // namespace
}  // namespace zk
