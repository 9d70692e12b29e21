#include "base/colors.h"

#include <gtest/gtest.h>

namespace zk {
namespace {

TEST(ColorsTest, StandardColoursAreWrittenByName) {
  EXPECT_EQ(ColorToString(clWindowText), u"clWindowText");
  EXPECT_EQ(ColorToString(clBlack), u"clBlack");
  EXPECT_EQ(ColorToString(clRed), u"clRed");
  EXPECT_EQ(ColorToString(0x800000), u"clNavy");
  EXPECT_EQ(ColorToString(0xF0CAA6), u"clSkyBlue");
  EXPECT_EQ(ColorToString(clBtnFace), u"clBtnFace");
  EXPECT_EQ(ColorToString(SystemColor(21)), u"cl3DDkShadow");
  EXPECT_EQ(ColorToString(clMenuBar), u"clMenuBar");
  EXPECT_EQ(ColorToString(0x1FFFFFFF), u"clNone");
  EXPECT_EQ(ColorToString(0x20000000), u"clDefault");
}

TEST(ColorsTest, OtherColoursAreWrittenAsEightHexDigits) {
  EXPECT_EQ(ColorToString(0x00123ABC), u"$00123ABC");
  EXPECT_EQ(ColorToString(0x000001), u"$00000001");
  EXPECT_EQ(ColorToString(SystemColor(25)), u"$FF000019");  // index 25 has no name
}

TEST(ColorsTest, ReadingAcceptsNamesInAnyCaseAndNumbers) {
  EXPECT_EQ(StringToColor(u"clWindowText"), clWindowText);
  EXPECT_EQ(StringToColor(u"CLRED"), clRed);
  EXPECT_EQ(StringToColor(u" clbtnface "), clBtnFace);
  EXPECT_EQ(StringToColor(u"$00123ABC"), 0x00123ABC);
  EXPECT_EQ(StringToColor(u"$FF00000F"), clBtnFace);
  EXPECT_EQ(StringToColor(u"0xff"), 0xFF);
  EXPECT_EQ(StringToColor(u"-16777201"), clBtnFace);
  EXPECT_EQ(StringToColor(u"clNoSuchColour"), std::nullopt);
  EXPECT_EQ(StringToColor(u""), std::nullopt);
  EXPECT_EQ(StringToColor(u"99999999999"), std::nullopt);
}

TEST(ColorsTest, EveryColourSurvivesARoundTrip) {
  for (Color c : {clBlack, clWhite, clBtnFace, clWindow, clMenuBar, Color(0x1FFFFFFF), Color(0x20000000),
                  Color(0x00A4A0A0), Color(0x00ABCDEF), Color(-1), SystemColor(25)})
    EXPECT_EQ(StringToColor(ColorToString(c)), c) << c;
  for (int i = 0; i <= 30; ++i) EXPECT_EQ(StringToColor(ColorToString(SystemColor(i))), SystemColor(i)) << i;
}

TEST(ColorsTest, SystemColoursCarryTheirIndex) {
  EXPECT_EQ(clBtnFace, -16777201);
  EXPECT_TRUE(IsSystemColor(clBtnFace));
  EXPECT_EQ(SystemColorIndex(clBtnFace), 15);
  EXPECT_FALSE(IsSystemColor(clWhite));
  EXPECT_EQ(SystemColorIndex(clWhite), -1);
}

}  // namespace
}  // namespace zk
