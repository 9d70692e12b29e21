#include "base/ini_file.h"

#include <gtest/gtest.h>

#include <random>

#include "app/latin1_codec.h"
#include "base/text.h"

namespace zk {
namespace {

using test::Latin1Codec;

const Latin1Codec kAnsi;

IniFile ParseText(std::string_view bytes) { return IniFile::Parse(bytes, kAnsi); }

std::string Utf16Bytes(std::u16string_view text, bool big_endian) {
  std::string out = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t c : text) {
    char hi = static_cast<char>(c >> 8), lo = static_cast<char>(c & 0xFF);
    out += big_endian ? hi : lo;
    out += big_endian ? lo : hi;
  }
  return out;
}

TEST(IniFileTest, ReadingTrimsNamesAndValuesAndDropsCommentsAndEmptyLines) {
  IniFile ini = ParseText(
      "  [ Window ]  \r\n"
      "; a comment\r\n"
      "\r\n"
      "  Top  =  12  \r\n"
      "Name = two words \r\n"
      "Empty=\r\n");
  EXPECT_EQ(ini.Find(u"Window", u"Top"), u"12");
  EXPECT_EQ(ini.Find(u"Window", u"Name"), u"two words");
  EXPECT_EQ(ini.Find(u"Window", u"Empty"), u"");
  EXPECT_EQ(ini.Find(u"Window", u"Missing"), std::nullopt);
  EXPECT_EQ(ini.Serialize(kAnsi), "[Window]\r\nTop=12\r\nName=two words\r\nEmpty=\r\n\r\n");
}

TEST(IniFileTest, NamesAreFoundWithoutRegardToCaseAndKeepTheirSpelling) {
  IniFile ini = ParseText("[View]\r\nMaxReadByte=5\r\n");
  EXPECT_EQ(ini.Find(u"VIEW", u"maxreadbyte"), u"5");
  EXPECT_TRUE(ini.SectionExists(u"view"));
  ini.WriteInteger(u"view", u"MAXREADBYTE", 7);
  EXPECT_EQ(ini.Serialize(kAnsi), "[View]\r\nMaxReadByte=7\r\n\r\n");
}

TEST(IniFileTest, UnknownContentIsKeptInPlaceAndNewKeysAreAppended) {
  IniFile ini = ParseText(
      "stray line before any section\r\n"
      "[Mine]\r\nalpha=1\r\nno equals sign here\r\nbeta=2\r\n"
      "[View]\r\nOther=x\r\nLinkView=0\r\n");
  ini.WriteBool(u"View", u"LinkView", true);
  ini.WriteString(u"View", u"CacheFolder", u"C:\\cache");
  ini.WriteString(u"Mine", u"alpha", u"changed");
  ini.WriteInteger(u"Font", u"Size", 11);
  EXPECT_EQ(ini.Serialize(kAnsi),
            "stray line before any section\r\n\r\n"
            "[Mine]\r\nalpha=changed\r\nno equals sign here\r\nbeta=2\r\n\r\n"
            "[View]\r\nOther=x\r\nLinkView=1\r\nCacheFolder=C:\\cache\r\n\r\n"
            "[Font]\r\nSize=11\r\n\r\n");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::u16string>{u"Mine", u"View", u"Font"}));
  EXPECT_EQ(ini.KeyNames(u"Mine"), (std::vector<std::u16string>{u"alpha", u"beta"}));
}

TEST(IniFileTest, ASectionMetTwiceContinuesTheFirstOne) {
  IniFile ini = ParseText("[A]\r\nx=1\r\n[B]\r\ny=2\r\n[a]\r\nz=3\r\nx=ignored\r\n");
  EXPECT_EQ(ini.Find(u"A", u"z"), u"3");
  EXPECT_EQ(ini.Find(u"A", u"x"), u"1");  // the first key wins
  EXPECT_EQ(ini.Serialize(kAnsi), "[A]\r\nx=1\r\nz=3\r\nx=ignored\r\n\r\n[B]\r\ny=2\r\n\r\n");
}

TEST(IniFileTest, AcceptsLfAndLoneCrLineEnds) {
  IniFile ini = ParseText("[A]\nx=1\ry=2\r\n\n\rz=3");
  EXPECT_EQ(ini.KeyNames(u"A"), (std::vector<std::u16string>{u"x", u"y", u"z"}));
  EXPECT_EQ(ini.Find(u"A", u"z"), u"3");
}

TEST(IniFileTest, NumbersAndBooleans) {
  IniFile ini = ParseText(
      "[N]\r\ndec=-42\r\nhex1=0x1F\r\nhex2=$ff\r\nword=abc\r\nempty=\r\n"
      "big=5000000000\r\nsigned=$FF00000F\r\nbool2=2\r\nbool0=0\r\nboolx=yes\r\n");
  EXPECT_EQ(ini.ReadInteger(u"N", u"dec", 1), -42);
  EXPECT_EQ(ini.ReadInteger(u"N", u"hex1", 1), 31);
  EXPECT_EQ(ini.ReadInteger(u"N", u"hex2", 1), 255);
  EXPECT_EQ(ini.ReadInteger(u"N", u"word", 9), 9);
  EXPECT_EQ(ini.ReadInteger(u"N", u"empty", 9), 9);
  EXPECT_EQ(ini.ReadInteger(u"N", u"missing", 9), 9);
  EXPECT_EQ(ini.ReadInteger(u"N", u"big", 9), 9);  // does not fit 32 bits
  EXPECT_EQ(ini.ReadInt64(u"N", u"big", 9), 5000000000);
  EXPECT_EQ(ini.ReadInteger(u"N", u"signed", 9), -16777201);
  EXPECT_TRUE(ini.ReadBool(u"N", u"bool2", false));
  EXPECT_FALSE(ini.ReadBool(u"N", u"bool0", true));
  EXPECT_TRUE(ini.ReadBool(u"N", u"boolx", true));
  EXPECT_FALSE(ini.ReadBool(u"N", u"boolx", false));
  ini.WriteBool(u"N", u"bool2", false);
  ini.WriteInteger(u"N", u"big", -5000000000);
  EXPECT_EQ(ini.Find(u"N", u"bool2"), u"0");
  EXPECT_EQ(ini.ReadInt64(u"N", u"big", 0), -5000000000);
}

// Each byte-order mark selects its encoding, and the file goes back byte for byte.
TEST(IniFileTest, ByteOrderMarksRoundTrip) {
  const std::u16string text = u"[Font]\r\nName=ＭＳ Ｐゴシック\r\n\r\n[Ünïcode]\r\nkey=𝄞\r\n\r\n";
  struct Case {
    std::string bytes;
    IniEncoding encoding;
  } cases[] = {
      {"\xEF\xBB\xBF" + Utf16ToUtf8(text), IniEncoding::kUtf8Bom},
      {Utf16Bytes(text, false), IniEncoding::kUtf16LeBom},
      {Utf16Bytes(text, true), IniEncoding::kUtf16BeBom},
  };
  for (const auto& c : cases) {
    IniFile ini = ParseText(c.bytes);
    EXPECT_EQ(ini.encoding(), c.encoding);
    EXPECT_EQ(ini.Find(u"font", u"name"), u"ＭＳ Ｐゴシック");
    EXPECT_EQ(ini.Find(u"ünïcode", u"KEY"), u"𝄞");
    EXPECT_EQ(ini.Serialize(kAnsi), c.bytes);
  }
}

TEST(IniFileTest, WithoutAMarkTheAnsiCodePageIsUsed) {
  IniFile ini = ParseText("[View]\r\nCacheFolder=C:\\caf\xE9\r\n");
  EXPECT_EQ(ini.encoding(), IniEncoding::kAnsi);
  EXPECT_EQ(ini.Find(u"View", u"CacheFolder"), u"C:\\café");
  EXPECT_EQ(ini.Serialize(kAnsi), "[View]\r\nCacheFolder=C:\\caf\xE9\r\n\r\n");
  EXPECT_EQ(IniFile().encoding(), IniEncoding::kAnsi);
}

TEST(IniFileTest, AnAnsiFileThatWouldLoseCharactersIsWrittenAsUtf8) {
  IniFile ini;
  ini.WriteString(u"Font", u"Name", u"ＭＳ Ｐゴシック");
  const std::string bytes = ini.Serialize(kAnsi);
  ASSERT_TRUE(bytes.starts_with("\xEF\xBB\xBF"));
  IniFile back = ParseText(bytes);
  EXPECT_EQ(back.encoding(), IniEncoding::kUtf8Bom);
  EXPECT_EQ(back.Find(u"Font", u"Name"), u"ＭＳ Ｐゴシック");
}

TEST(IniFileTest, WrittenLineBreaksCannotForgeKeys) {
  IniFile ini;
  ini.WriteString(u"View", u"CacheFolder", u"C:\\x\r\n[Window]\r\nTop=999");
  IniFile back = ParseText(ini.Serialize(kAnsi));
  EXPECT_EQ(back.SectionNames(), std::vector<std::u16string>{u"View"});
  EXPECT_EQ(back.KeyNames(u"View"), std::vector<std::u16string>{u"CacheFolder"});
}

TEST(IniFileTest, OddInputParsesWithoutHarm) {
  // Odd-length UTF-16: the last byte is dropped.
  IniFile odd = ParseText(std::string("\xFF\xFE[\0A\0]\0\n\0k\0=\0v\0\x01", 17));
  EXPECT_EQ(odd.Find(u"A", u"k"), u"v");

  IniFile bracket = ParseText("[\r\n[]\r\n=value\r\nkey=\r\n[A\r\n");
  EXPECT_EQ(bracket.SectionNames(), std::vector<std::u16string>{u""});
  EXPECT_EQ(bracket.Find(u"", u""), u"value");
  EXPECT_EQ(bracket.Serialize(kAnsi), "[\r\n\r\n[]\r\n=value\r\nkey=\r\n[A\r\n\r\n");

  for (std::string_view bytes : {std::string_view(""), std::string_view("\xEF\xBB\xBF"),
                                 std::string_view("\xFF\xFE"), std::string_view("\xFE\xFF\x00", 3),
                                 std::string_view("\xEF\xBB\xBF\xC3\x28[A]\xFF\r\nk=\xE2\x82")}) {
    IniFile ini = ParseText(bytes);
    EXPECT_FALSE(ini.SectionExists(u"Window"));
    ini.WriteString(u"Window", u"Top", u"1");
    EXPECT_EQ(ParseText(ini.Serialize(kAnsi)).Find(u"Window", u"Top"), u"1");
  }
}

// Whatever the bytes, reading what was written gives the same file again, and
// every key found in the first reading is found with the same value.
TEST(IniFileTest, RandomBytesSurviveARoundTrip) {
  std::mt19937 rng(1234);
  const std::string alphabet = std::string("[]=; \r\n\t\"abcAB0$x\0", 18) + "\xEF\xBB\xBF\xFF\xFE\x80";
  for (int round = 0; round < 2000; ++round) {
    std::string bytes;
    const int len = static_cast<int>(rng() % 80);
    for (int i = 0; i < len; ++i) bytes += alphabet[rng() % alphabet.size()];
    if (round % 4 == 1) bytes = "\xFF\xFE" + bytes;
    if (round % 4 == 2) bytes = "\xFE\xFF" + bytes;
    if (round % 4 == 3) bytes = "\xEF\xBB\xBF" + bytes;

    IniFile first = ParseText(bytes);
    const std::string written = first.Serialize(kAnsi);
    IniFile second = ParseText(written);
    ASSERT_EQ(second.Serialize(kAnsi), written) << "round " << round;
    ASSERT_EQ(second.SectionNames(), first.SectionNames()) << "round " << round;
    for (const auto& section : first.SectionNames())
      for (const auto& key : first.KeyNames(section))
        ASSERT_EQ(second.Find(section, key), first.Find(section, key)) << "round " << round;
  }
}

}  // namespace
}  // namespace zk
