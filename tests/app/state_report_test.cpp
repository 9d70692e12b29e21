#include "app/model/state_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/model/actions.h"
#include "app/model/version_strings.h"

namespace zk {
namespace {

std::vector<std::u16string> SplitAtCr(const std::u16string& text) {
  std::vector<std::u16string> lines;
  size_t start = 0;
  for (size_t cr; (cr = text.find(u'\r', start)) != std::u16string::npos; start = cr + 1)
    lines.push_back(text.substr(start, cr - start));
  EXPECT_EQ(start, text.size()) << "text after the last carriage return";
  return lines;
}

TEST(StateReportTest, FiftyOneLinesInOrderWithTheirForms) {
  StateReportValues v;
  v.program.FileVersion = u"0.1.0.0";
  v.program.ProductVersion = u"0.1";
  v.program.FileDescription = u"プレビュー";
  v.WorkFolder = u"C:\\Temp\\zk1.tmp";
  v.LastReadTime = 42;
  v.MainImage.zoom_tag = -1;
  v.MainImage.visible = true;
  v.MainImage.center = true;
  v.MainImage.auto_size = true;
  v.MainImage.stretch = false;
  v.MainImage.bounds = {3, 4, 640, 480};
  v.MainImage.hint = u"画像";
  v.MainImage.has_picture = true;
  v.MainImage.fills_parent = false;
  v.RichEditURL.visible = true;
  v.RichEditURL.bounds = {0, 0, 854, 538};
  v.ArcListBox.count = 7;
  v.ArcListBox.item_index = -1;
  v.ArcListBox.visible = true;
  v.ScrollBox.visible = true;
  v.ScrollBox.auto_scroll = true;
  v.SelectedFileName = u"C:\\写真\\a.jpg";
  v.ViewFileType = vfImage;
  v.EverythingHandle = 0x2004A;
  v.settings.EverythingPath = u"C:\\Everything\\Everything.exe";
  v.IniFileName = u"C:\\zk\\zarvik.ini";
  v.ToolbarIniName = u"C:\\zk\\zarvik.ToolBarDat";
  v.settings.ActiveHotKey = kCtrl | kAlt | 'V';
  v.settings.ShowID3Tag = true;
  v.settings.NotUsedInTray = false;
  v.settings.LinkView = true;
  v.settings.Better = true;
  v.settings.TopMost = false;
  v.settings.ArcView = true;
  v.settings.ClearNoEverything = false;
  v.settings.ImageCenter = true;
  v.max_read_byte_text = u"20,000,000";
  v.xdoc2txtPath = u"C:\\bin\\xdoc2txt.exe";

  std::u16string text = BuildStateReport(v);
  EXPECT_EQ(text.find(u'\n'), std::u16string::npos);  // carriage returns alone
  const std::vector<std::u16string> expected = {
      u"FileVersion=0.1.0.0",
      u"ProductVersion=0.1",
      u"FileDescription=プレビュー",
      u"WorkFolder = C:\\Temp\\zk1.tmp",
      u"LastReadTime=42MS",
      u"-----MainImage-----",
      u"Tag=-1",
      u"Visible=-1",
      u"Center=-1",
      u"AutoSize=-1",
      u"Stretch=0",
      u"Top=3",
      u"Left=4",
      u"Width=640",
      u"Height=480",
      u"Visible=-1",
      u"Hint=画像",
      u"Picture.Graphic=0",
      u"Align is alClient=0",
      u"-----RichEditURL-----",
      u"Visible=-1",
      u"Top=0",
      u"Left=0",
      u"Width=854",
      u"Height=538",
      u"-----ArcListBox-----",
      u"Items.Count=7",
      u"ItemIndex=-1",
      u"Visible=-1",
      u"-----ScrollBox-----",
      u"Visible=-1",
      u"AutoScroll=-1",
      u"Hint=",
      u"----------------------------------",
      u"SelectedFileName=C:\\写真\\a.jpg",
      u"ViewFileType=vfImage",
      u"EverythingHandle=131146",
      u"EverythingPath=C:\\Everything\\Everything.exe",
      u"IniFileName=C:\\zk\\zarvik.ini",
      u"ToolbarIniName=C:\\zk\\zarvik.ToolBarDat",
      u"ActiveHotKey=Ctrl+Alt+V",
      u"ShowID3Tag=-1",
      u"NotUsedInTray=0",
      u"LinkView=-1",
      u"Better=-1",
      u"TopMost=0",
      u"ArcView=-1",
      u"ClearNoEverything=0",
      u"ImageCenter=-1",
      u"MaxReadByte=20,000,000",
      u"xdoc2txtPath=C:\\bin\\xdoc2txt.exe",
  };
  EXPECT_EQ(SplitAtCr(text), expected);
}

TEST(StateReportTest, EmptyViewUnsignedNumbersAndNoHotKey) {
  StateReportValues v;  // a cleared view: no picture, nothing selected
  v.LastReadTime = -1;  // printed as the unsigned value it holds
  v.EverythingHandle = 0xFFFFFFFFFFFFFFFFull;
  v.settings.ActiveHotKey = 0;
  auto lines = SplitAtCr(BuildStateReport(v));
  ASSERT_EQ(lines.size(), 51u);
  EXPECT_EQ(lines[0], u"FileVersion=");
  EXPECT_EQ(lines[4], u"LastReadTime=4294967295MS");
  EXPECT_EQ(lines[17], u"Picture.Graphic=-1");
  EXPECT_EQ(lines[34], u"SelectedFileName=");
  EXPECT_EQ(lines[35], u"ViewFileType=vfTemp");
  EXPECT_EQ(lines[36], u"EverythingHandle=18446744073709551615");
  EXPECT_EQ(lines[40], u"ActiveHotKey=");
}

TEST(VersionStringsTest, QueryPathIsLowerCaseHexLanguageThenCodePage) {
  EXPECT_EQ(StringFileInfoPath(0x0411, 0x04B0, u"ProductVersion"), u"\\StringFileInfo\\041104b0\\ProductVersion");
  EXPECT_EQ(StringFileInfoPath(0x9, 0xFDE9, u"X"), u"\\StringFileInfo\\0009fde9\\X");
}

TEST(VersionStringsTest, MissingValuesAndMissingResource) {
  std::vector<std::u16string> asked;
  auto partial = [&](std::u16string_view name) -> std::optional<std::u16string> {
    asked.emplace_back(name);
    if (name == u"ProductName") return u"Zarvik";
    if (name == u"FileVersion") return u"";  // present but empty stays empty
    return std::nullopt;
  };
  VersionStrings v = CollectVersionStrings(true, partial);
  EXPECT_EQ(v.ProductName, u"Zarvik");
  EXPECT_EQ(v.FileVersion, u"");
  EXPECT_EQ(v.ProductVersion, u"UnKnown");
  EXPECT_EQ(v.FileDescription, u"UnKnown");
  EXPECT_EQ(v.CompanyName, u"");
  EXPECT_EQ(v.OriginalFilename, u"");
  EXPECT_EQ(v.InternalName, u"");
  EXPECT_EQ(asked.size(), 7u);

  VersionStrings none = CollectVersionStrings(false, partial);
  EXPECT_EQ(none.ProductVersion, u"");
  EXPECT_EQ(none.FileDescription, u"");
  EXPECT_EQ(none.ProductName, u"");
}

}  // namespace
}  // namespace zk
