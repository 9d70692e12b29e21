#include "text/jis_decoders.h"

#include <gtest/gtest.h>

#include "text/jis_tables.h"

namespace zk {
namespace {

char16_t X0208(int row, int cell) { return Jis0208Table[(row - 1) * kJisCells + (cell - 1)]; }
char16_t X0212(int row, int cell) { return Jis0212Table[(row - 1) * kJisCells + (cell - 1)]; }

TEST(JisTables, NamedCells) {
  EXPECT_EQ(X0208(1, 1), 0x3000);
  EXPECT_EQ(X0208(1, 33), 0xFF5E);  // not the wave dash U+301C
  EXPECT_EQ(X0208(1, 61), 0xFF0D);
  EXPECT_EQ(X0208(4, 2), 0x3042);
  EXPECT_EQ(X0208(13, 1), 0x2460);   // NEC special characters
  EXPECT_EQ(X0208(89, 1), 0x7E8A);   // NEC-selected IBM extensions
  EXPECT_EQ(X0208(95, 1), 0xE000);   // user-defined area
  EXPECT_EQ(X0208(114, 94), 0xE757);
  EXPECT_EQ(X0208(115, 1), 0x2170);  // IBM extensions
  EXPECT_EQ(X0208(119, 12), 0x9ED1);
  EXPECT_EQ(X0208(119, 13), 0);
  for (int row : {9, 10, 11, 12, 14, 15, 85, 86, 87, 88, 93, 94, 120})
    for (int cell = 1; cell <= kJisCells; ++cell) ASSERT_EQ(X0208(row, cell), 0) << row << "-" << cell;

  EXPECT_EQ(X0212(16, 1), 0x4E02);
  EXPECT_EQ(X0212(2, 23), 0xFF5E);  // the two cells that differ from the JIS0212 mapping
  EXPECT_EQ(X0212(2, 35), 0xFFE4);
  EXPECT_EQ(X0212(1, 1), 0);

  for (int b = 0; b < 256; ++b) {
    char16_t want = b >= 0x20 && b <= 0x7E ? b : b >= 0xA1 && b <= 0xDF ? 0xFF61 + (b - 0xA1) : 0;
    if (b == 0xA0) want = 0xF8F0;
    if (b >= 0xFD) want = 0xF8F1 + (b - 0xFD);
    ASSERT_EQ(SjisSingleTable[b], want) << b;
  }
}

TEST(EucToUnicode, Characters) {
  EXPECT_EQ(EucToUnicode("\xA4\xA2"), u"\u3042");
  EXPECT_EQ(EucToUnicode("\x8E\xB1"), u"\uFF71");
  EXPECT_EQ(EucToUnicode("\x8F\xB0\xA1"), u"\u4E02");
  EXPECT_EQ(EucToUnicode("\xA1\xC1"), u"\uFF5E");
  EXPECT_EQ(EucToUnicode("\xAD\xA1"), u"\u2460");
  EXPECT_EQ(EucToUnicode("a\xA4\xA2\r\nb"), u"a\u3042\r\nb");
}

TEST(EucToUnicode, BadBytesAreDroppedOrPassed) {
  EXPECT_EQ(EucToUnicode("x\x8E"), u"x");           // lone 0x8E at the end: dropped
  EXPECT_EQ(EucToUnicode("\x8E" "A"), u"A");
  EXPECT_EQ(EucToUnicode("\x8E\xE0"), u"\u00E0");   // not a kana byte: 0x8E dropped
  EXPECT_EQ(EucToUnicode("\x8F\xA1\xA1"), u"\u3000");  // empty 0212 cell: 0x8F dropped, the rest is 0208
  EXPECT_EQ(EucToUnicode("\x8F\xB0"), u"\u00B0");
  EXPECT_EQ(EucToUnicode("\xA9\xA1"), u"\u00A1");   // empty row 9: first byte dropped
  EXPECT_EQ(EucToUnicode("\xA4"), u"\u00A4");       // no second byte: passed through
  EXPECT_EQ(EucToUnicode("\xFF\x80"), u"\u00FF\u0080");
  EXPECT_EQ(EucToUnicode(""), u"");
}

TEST(JisToUnicode, Modes) {
  EXPECT_EQ(JisToUnicode("\x1B$B$\"\x1B(B"), u"\u3042");
  EXPECT_EQ(JisToUnicode("\x1B$@$\"\n$$\x1B(Ja"), u"\u3042\n\u3044a");  // line ends pass through
  EXPECT_EQ(JisToUnicode("\x0E\x31\x0F"), u"\uFF71");
  EXPECT_EQ(JisToUnicode("\x1B(I\x31\x0F\x1B(B"), u"\uFF71\u000F");  // SI only leaves SO mode
  EXPECT_EQ(JisToUnicode("\x1B$B\x0E"), u"\u000E");                  // SO only from ASCII mode
  EXPECT_EQ(JisToUnicode("\x1B(I\x60"), u"\u0060");
  EXPECT_EQ(JisToUnicode("\x1B$(D\x30\x21\x22\x37"), u"\u4E02\uFF5E");
  EXPECT_EQ(JisToUnicode("\x1B$B\x7F\x21\x2D\x21"), u"\uE000\u2460");  // rows 95 and 13
  EXPECT_EQ(JisToUnicode("\xB1\x80" "a"), u"\uFF71\u0080a");  // ASCII mode takes 8-bit kana
}

TEST(JisToUnicode, StrayBytes) {
  EXPECT_EQ(JisToUnicode("\x1B"), u"\u001B");
  EXPECT_EQ(JisToUnicode("\x1B$"), u"\u001B$");
  EXPECT_EQ(JisToUnicode("\x1B$(C"), u"\u001B$(C");
  EXPECT_EQ(JisToUnicode("\x1B$B\x29\x21"), u"!");      // empty row 9: first byte dropped
  EXPECT_EQ(JisToUnicode("\x1B$B\x24"), u"$");          // no second byte
  EXPECT_EQ(JisToUnicode("\x1B$B\x99\x21"), u"\u0099!");  // beyond row 120
  EXPECT_EQ(JisToUnicode("\x1B$(D\x7F\x21"), u"\u007F!");  // 0212 has no row 95
}

}  // namespace
}  // namespace zk
