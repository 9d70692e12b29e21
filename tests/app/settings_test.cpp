#include "app/model/settings.h"

#include <gtest/gtest.h>

#include "app/latin1_codec.h"
#include "base/string_list.h"

namespace zk {
namespace {

using test::Latin1Codec;
using Names = std::vector<std::u16string>;

const Latin1Codec kAnsi;

Settings Defaults() {
  Settings s;
  s.Width = 870;
  s.Height = 642;
  return s;
}

// Reads a settings file's text over the defaults.
Settings ReadFrom(std::string_view bytes, int ppi = 96) {
  Settings s = Defaults();
  ReadSettings(IniFile::Parse(bytes, kAnsi), s, ppi);
  return s;
}

// What a session writes, read back at the next start.
Settings RoundTrip(const Settings& s) {
  IniFile ini;
  WriteSettings(s, ini);
  return ReadFrom(ini.Serialize(kAnsi));
}

// First start: nothing stored, so everything keeps its default, and the file
// written at exit holds every key, in the order of the table.
TEST(SettingsTest, FirstStartWritesEveryKeyInTableOrder) {
  Settings s = ReadFrom("");
  EXPECT_EQ(s.Top, 0);
  EXPECT_EQ(s.Left, 0);
  EXPECT_EQ(s.Width, 870);
  EXPECT_EQ(s.Height, 642);
  EXPECT_EQ(s.MaxReadByte, 20000000);
  EXPECT_EQ(JoinCommaText(s.IsBinary), kDefaultIsBinary);
  EXPECT_TRUE(s.LinkView && s.ShowID3Tag && s.ImageCenter && s.ArkWrap && s.ArchiveBuiltIn);

  IniFile ini;
  WriteSettings(s, ini);
  EXPECT_EQ(ini.SectionNames(), (Names{u"Window", u"Programs", u"View", u"Text", u"Jpg", u"Font", u"Archive"}));
  EXPECT_EQ(ini.KeyNames(u"Window"), (Names{u"wsMaximized", u"Top", u"Left", u"Width", u"Height", u"TopMost",
                                            u"NotUsedInTray", u"HideToolBar", u"ActiveHotKey"}));
  EXPECT_EQ(ini.KeyNames(u"Programs"),
            (Names{u"OutWClick", u"OutTextEditor", u"OutGEditor", u"OutTextDir", u"OutGDir", u"EverythingPath"}));
  EXPECT_EQ(ini.KeyNames(u"View"),
            (Names{u"IsBinary", u"ArcView", u"LinkView", u"Better", u"ShowID3Tag", u"ImageCenter",
                   u"BackgroundColor", u"ClearNoEverything", u"MaxReadByte", u"ArkWrap", u"CacheFolder"}));
  EXPECT_EQ(ini.KeyNames(u"Text"), Names{u"UsePreThread"});
  EXPECT_EQ(ini.KeyNames(u"Jpg"), (Names{u"CompressionQuality", u"Progressive"}));
  EXPECT_EQ(ini.KeyNames(u"Font"), (Names{u"Height", u"Name", u"Size", u"Color", u"Style", u"Pitch"}));
  EXPECT_EQ(ini.KeyNames(u"Archive"), Names{u"BuiltIn"});

  EXPECT_EQ(ini.Find(u"Window", u"wsMaximized"), u"0");
  EXPECT_EQ(ini.Find(u"Window", u"Width"), u"870");
  EXPECT_EQ(ini.Find(u"View", u"IsBinary"), kDefaultIsBinary);
  EXPECT_EQ(ini.Find(u"View", u"LinkView"), u"1");
  EXPECT_EQ(ini.Find(u"View", u"BackgroundColor"), u"-16777201");
  EXPECT_EQ(ini.Find(u"View", u"MaxReadByte"), u"20000000");
  EXPECT_EQ(ini.Find(u"View", u"CacheFolder"), u"");
  EXPECT_EQ(ini.Find(u"Jpg", u"CompressionQuality"), u"70");
  EXPECT_EQ(ini.Find(u"Font", u"Height"), u"-15");
  EXPECT_EQ(ini.Find(u"Font", u"Size"), u"11");
  EXPECT_EQ(ini.Find(u"Font", u"Color"), u"clWindowText");
  EXPECT_EQ(ini.Find(u"Font", u"Style"), u"0");
}

TEST(SettingsTest, EveryValueSurvivesARoundTrip) {
  Settings s = Defaults();
  s.wsMaximized = true;
  s.Top = -5;
  s.Left = 1200;
  s.Width = 1000;
  s.Height = 700;
  s.OutWClick = true;
  s.OutTextEditor = u"C:\\Tools\\edit.exe";
  s.OutGEditor = u"C:\\Program Files\\view.exe";
  s.OutTextDir = u"C:\\Tools";
  s.OutGDir = u"D:\\";
  s.TopMost = s.NotUsedInTray = s.HideToolBar = true;
  s.ActiveHotKey = 0x6000 | 'Z';
  s.EverythingPath = u"C:\\Everything\\Everything.exe";
  s.IsBinary = {u".BIN", u"with space", u"q\"uote"};
  s.ArcView = true;
  s.LinkView = false;
  s.Better = true;
  s.ShowID3Tag = false;
  s.ImageCenter = false;
  s.BackgroundColor = 0x00336699;
  s.ClearNoEverything = true;
  s.MaxReadByte = 6000000000;
  s.ArkWrap = false;
  s.UsePreThread = true;
  s.CompressionQuality = 100;
  s.Progressive = true;
  s.Font.name = u"Courier New";
  s.Font.SetSize(14);
  s.Font.color = 0x00ABCDEF;
  s.Font.pitch = 2;
  s.CacheFolder = u"E:\\cache";

  Settings r = RoundTrip(s);
  EXPECT_EQ(r.wsMaximized, s.wsMaximized);
  EXPECT_EQ(r.Top, s.Top);
  EXPECT_EQ(r.Left, s.Left);
  EXPECT_EQ(r.Width, s.Width);
  EXPECT_EQ(r.Height, s.Height);
  EXPECT_EQ(r.OutWClick, s.OutWClick);
  EXPECT_EQ(r.OutTextEditor, s.OutTextEditor);
  EXPECT_EQ(r.OutGEditor, s.OutGEditor);
  EXPECT_EQ(r.OutTextDir, s.OutTextDir);
  EXPECT_EQ(r.OutGDir, s.OutGDir);
  EXPECT_TRUE(r.TopMost && r.NotUsedInTray && r.HideToolBar);
  EXPECT_EQ(r.ActiveHotKey, s.ActiveHotKey);
  EXPECT_EQ(r.EverythingPath, s.EverythingPath);
  EXPECT_EQ(r.IsBinary, s.IsBinary);
  EXPECT_TRUE(r.ArcView);
  EXPECT_FALSE(r.LinkView);
  EXPECT_TRUE(r.Better);
  EXPECT_FALSE(r.ShowID3Tag);
  EXPECT_FALSE(r.ImageCenter);
  EXPECT_EQ(r.BackgroundColor, s.BackgroundColor);
  EXPECT_TRUE(r.ClearNoEverything);
  EXPECT_EQ(r.MaxReadByte, 6000000000);
  EXPECT_FALSE(r.ArkWrap);
  EXPECT_TRUE(r.UsePreThread);
  EXPECT_EQ(r.CompressionQuality, 100);
  EXPECT_TRUE(r.Progressive);
  EXPECT_EQ(r.Font.name, s.Font.name);
  EXPECT_EQ(r.Font.height, s.Font.height);
  EXPECT_EQ(r.Font.Size(), 14);
  EXPECT_EQ(r.Font.color, s.Font.color);
  EXPECT_EQ(r.Font.pitch, 2);
  EXPECT_EQ(r.CacheFolder, s.CacheFolder);
}

TEST(SettingsTest, BoldItalicFontIsStoredAsStyleThree) {
  Settings s = Defaults();
  s.Font.style = kFontBold | kFontItalic;
  IniFile ini;
  WriteSettings(s, ini);
  EXPECT_EQ(ini.Find(u"Font", u"Style"), u"3");
  EXPECT_EQ(ReadFrom(ini.Serialize(kAnsi)).Font.style, kFontBold | kFontItalic);
  // Bits the font has no use for are dropped.
  EXPECT_EQ(ReadFrom("[Font]\r\nStyle=255\r\n").Font.style, 15);
}

TEST(SettingsTest, StoredSizeDecidesTheFontHeight) {
  EXPECT_EQ(ReadFrom("[Font]\r\nHeight=-40\r\nSize=9\r\n").Font.height, -12);
  EXPECT_EQ(ReadFrom("[Font]\r\nHeight=-40\r\n").Font.height, -40);       // size taken from the height
  EXPECT_EQ(ReadFrom("[Font]\r\nSize=11\r\n", 120).Font.height, -18);     // 18.33
  EXPECT_EQ(ReadFrom("[Font]\r\nSize=12\r\n", 120).Font.height, -20);
  EXPECT_EQ(ReadFrom("[Font]\r\nSize=3\r\n", 108).Font.height, -5);      // 4.5 rounds away from zero
  EXPECT_EQ(ReadFrom("[Font]\r\nSize=3\r\n").Font.height, -4);            // 4.0
  EXPECT_EQ(ReadFrom("[Font]\r\nSize=9\r\n", 120).Font.height, -15);      // 15.0

  FontSetting f;
  f.height = 20;  // cell height
  EXPECT_EQ(f.Size(), 15);
  f.height = -14;  // 10.5 rounds away from zero
  EXPECT_EQ(f.Size(), 11);
  f.height = -13;
  EXPECT_EQ(f.Size(), 10);
  f.SetSize(0);
  EXPECT_EQ(f.height, 0);
}

TEST(SettingsTest, JpegQualityOutsideItsRangeReadsAsSeventy) {
  EXPECT_EQ(ReadFrom("[Jpg]\r\nCompressionQuality=0\r\n").CompressionQuality, 70);
  EXPECT_EQ(ReadFrom("[Jpg]\r\nCompressionQuality=101\r\n").CompressionQuality, 70);
  EXPECT_EQ(ReadFrom("[Jpg]\r\nCompressionQuality=-3\r\n").CompressionQuality, 70);
  EXPECT_EQ(ReadFrom("[Jpg]\r\nCompressionQuality=100\r\n").CompressionQuality, 100);
  EXPECT_EQ(ReadFrom("[Jpg]\r\nCompressionQuality=1\r\n").CompressionQuality, 1);
  EXPECT_EQ(ReadFrom("[Jpg]\r\nCompressionQuality=$5A\r\n").CompressionQuality, 90);
}

TEST(SettingsTest, ReadLimitIsSixtyFourBitAndTakenAsStored) {
  EXPECT_EQ(ReadFrom("[View]\r\nMaxReadByte=0\r\n").MaxReadByte, 0);
  EXPECT_EQ(ReadFrom("[View]\r\nMaxReadByte=8589934592\r\n").MaxReadByte, 8589934592);
  EXPECT_EQ(ReadFrom("[View]\r\nMaxReadByte=0x100\r\n").MaxReadByte, 256);
  EXPECT_EQ(ReadFrom("[View]\r\nMaxReadByte=-1\r\n").MaxReadByte, -1);  // as the settings dialog allows
  EXPECT_EQ(ReadFrom("[View]\r\nMaxReadByte=99999999999999999999\r\n").MaxReadByte, 20000000);
}

TEST(SettingsTest, ValuesThatDoNotParseKeepTheirDefaults) {
  Settings s = ReadFrom(
      "[Window]\r\nTop=abc\r\nWidth=\r\nwsMaximized=yes\r\nActiveHotKey=0x12345\r\n"
      "[View]\r\nLinkView=maybe\r\nBackgroundColor=clRed\r\n"
      "[Font]\r\nColor=clNoSuch\r\nPitch=7\r\nName=\r\n");
  EXPECT_EQ(s.Top, 0);
  EXPECT_EQ(s.Width, 870);
  EXPECT_FALSE(s.wsMaximized);
  EXPECT_EQ(s.ActiveHotKey, 0x2345);  // kept as 16 bits
  EXPECT_TRUE(s.LinkView);
  EXPECT_EQ(s.BackgroundColor, clBtnFace);  // an integer key, not a colour name
  EXPECT_EQ(s.Font.color, clWindowText);
  EXPECT_EQ(s.Font.pitch, 0);
  EXPECT_EQ(s.Font.name, u"");  // an empty name is a stored value
}

TEST(SettingsTest, ColoursAreReadByNameOrNumber) {
  EXPECT_EQ(ReadFrom("[Font]\r\nColor=clred\r\n").Font.color, clRed);
  EXPECT_EQ(ReadFrom("[Font]\r\nColor=$00FF0000\r\n").Font.color, 0xFF0000);
  EXPECT_EQ(ReadFrom("[View]\r\nBackgroundColor=$00FFFFFF\r\n").BackgroundColor, clWhite);
  EXPECT_EQ(ReadFrom("[View]\r\nBackgroundColor=-16777211\r\n").BackgroundColor, clWindow);
}

TEST(SettingsTest, AnEmptyBinaryListIsAStoredValue) {
  EXPECT_TRUE(ReadFrom("[View]\r\nIsBinary=\r\n").IsBinary.empty());
  EXPECT_EQ(ReadFrom("[View]\r\nIsBinary=.a \".b c\"\r\n").IsBinary, (Names{u".a", u".b c"}));
}

TEST(SettingsTest, WritingKeepsUnknownSectionsAndKeysInPlace) {
  IniFile ini = IniFile::Parse(
      "[Custom]\r\nmine=1\r\n[View]\r\nPlugin=yes\r\nLinkView=0\r\nnote without equals\r\n", kAnsi);
  Settings s = Defaults();
  ReadSettings(ini, s);
  EXPECT_FALSE(s.LinkView);
  WriteSettings(s, ini);
  EXPECT_EQ(ini.SectionNames(), (Names{u"Custom", u"View", u"Window", u"Programs", u"Text", u"Jpg", u"Font", u"Archive"}));
  EXPECT_EQ(ini.Find(u"Custom", u"mine"), u"1");
  const Names view = ini.KeyNames(u"View");
  ASSERT_GE(view.size(), 3u);
  EXPECT_EQ(view[0], u"Plugin");
  EXPECT_EQ(view[1], u"LinkView");
  EXPECT_EQ(view[2], u"IsBinary");
  EXPECT_NE(ini.Serialize(kAnsi).find("LinkView=0\r\nnote without equals\r\nIsBinary="), std::string::npos);
}

TEST(SettingsTest, AFileInUtf16KeepsItsEncodingAfterSaving) {
  std::string bytes = "\xFF\xFE";
  for (char c : std::string_view("[Font]\r\nName=x\r\n")) bytes += {c, '\0'};
  IniFile ini = IniFile::Parse(bytes, kAnsi);
  Settings s = Defaults();
  ReadSettings(ini, s);
  WriteSettings(s, ini);
  const std::string out = ini.Serialize(kAnsi);
  ASSERT_TRUE(out.starts_with(std::string_view("\xFF\xFE[\0F\0o\0n\0t\0]\0", 14)));
  EXPECT_EQ(ReadFrom(out).Font.name, u"x");
  EXPECT_EQ(ReadFrom(out).MaxReadByte, 20000000);
}

TEST(SettingsTest, PositionFarOffTheDesktopIsPulledBack) {
  auto pulled = [](int left, int top, int width, int height) {
    Settings s;
    s.Left = left;
    s.Top = top;
    s.Width = width;
    s.Height = height;
    PullBackIntoDesktop(s, 1920, 1080);
    return std::pair(s.Left, s.Top);
  };
  EXPECT_EQ(pulled(100, 50, 800, 600), std::pair(100, 50));
  EXPECT_EQ(pulled(1910, 1070, 800, 600), std::pair(1910, 1070));   // 10 pixels still on screen
  EXPECT_EQ(pulled(1911, 1071, 800, 600), std::pair(0, 0));
  EXPECT_EQ(pulled(-790, -590, 800, 600), std::pair(-790, -590));
  EXPECT_EQ(pulled(-791, -591, 800, 600), std::pair(0, 0));
  EXPECT_EQ(pulled(5000, 50, 800, 600), std::pair(0, 50));           // each axis on its own
  EXPECT_EQ(pulled(INT32_MIN, INT32_MAX, INT32_MIN, INT32_MIN), std::pair(0, 0));
}

TEST(SettingsTest, StartStateFollowsTheFlagThenTheShowCommand) {
  EXPECT_EQ(StartStateFor(true, 1), StartWindowState::kMaximized);
  EXPECT_EQ(StartStateFor(true, 2), StartWindowState::kMaximized);
  for (int cmd : {2, 6, 7}) EXPECT_EQ(StartStateFor(false, cmd), StartWindowState::kMinimized) << cmd;
  EXPECT_EQ(StartStateFor(false, 3), StartWindowState::kMaximized);
  for (int cmd : {0, 1, 4, 5, 8, 9, 10, 11, -1})
    EXPECT_EQ(StartStateFor(false, cmd), StartWindowState::kNormal) << cmd;
}

}  // namespace
}  // namespace zk
