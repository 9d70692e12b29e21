// The main window driven for real: start-up, the settings file, the command
// line and the dispatch of folders, empty and oversized files.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/window/main_window.h"
#include "base/text.h"
#include "base/win_text.h"
#include "support/main_window_fixture.h"
#include "support/test_files.h"
#include "text/binary_view.h"

namespace zk {
namespace {

using MainWindowTest = test::MainWindowFixture;

TEST_F(MainWindowTest, StartsWithDesignedLayoutAndClearedView) {
  auto form = MakeForm();
  RECT rc;
  GetClientRect(form->hwnd(), &rc);
  EXPECT_EQ(rc.right, 854);
  EXPECT_EQ(rc.bottom, 603);
  EXPECT_EQ(form->ViewFileType, vfTemp);
  EXPECT_EQ(WindowText(form->hwnd()), u"Zarvik");
  EXPECT_EQ(form->ini_file_name(), dir_.Child(L"zarvik.ini"));
  EXPECT_EQ(form->toolbar_ini_name(), dir_.Child(L"zarvik.ToolBarDat"));
  EXPECT_EQ(form->settings().MaxReadByte, 20000000);
  EXPECT_TRUE(form->settings().LinkView);
  EXPECT_EQ(form->Status(0), u"");  // "Load IniFile.." was emptied
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(MainWindowTest, FolderGetsGreenBinaryViewAndDirectry) {
  auto form = MakeForm();
  CreateDirectoryW(W(dir_.Child(L"sub")), nullptr);
  form->DispatchFile(dir_.Child(L"sub"), false);
  EXPECT_EQ(form->ViewFileType, vfBinary);
  EXPECT_EQ(form->Status(0), u"Directry");
  EXPECT_EQ(form->page_control().active_page(), kImageTabSheet);
  ASSERT_TRUE(form->image_page().MainImage().HasPicture());
  EXPECT_EQ(CanvasPixel(*form, 200, 200), kFolderColor);
}

TEST_F(MainWindowTest, EmptyFileGetsRedBinaryViewAndZeroFile) {
  auto form = MakeForm();
  auto path = dir_.Child(L"a.txt");
  ASSERT_TRUE(test::WriteFileBytes(path, ""));
  form->DispatchFile(path, false);
  EXPECT_EQ(form->ViewFileType, vfBinary);
  EXPECT_EQ(form->Status(0), u"Zero File");
  EXPECT_EQ(CanvasPixel(*form, 200, 200), kEmptyFileColor);
}

TEST_F(MainWindowTest, SizeLimitIsInclusiveAndSixtyFourBit) {
  auto form = MakeForm();
  auto over = dir_.Child(L"over.bin");
  auto exact = dir_.Child(L"exact.txt");
  auto huge = dir_.Child(L"huge.dat");
  ASSERT_TRUE(test::MakeFileOfSize(over, 20000001));
  ASSERT_TRUE(test::MakeFileOfSize(exact, 20000000));
  ASSERT_TRUE(test::MakeFileOfSize(huge, (5LL << 30) + 7));

  form->DispatchFile(over, false);
  EXPECT_EQ(form->Status(0), u"ReadSizeOver");

  form->ClearView(true);
  form->DispatchFile(exact, false);
  EXPECT_NE(form->Status(0), u"ReadSizeOver");
  EXPECT_NE(form->Status(0), u"Zero File");

  form->ClearView(true);
  form->DispatchFile(huge, false);
  EXPECT_EQ(form->Status(0), u"ReadSizeOver");
  EXPECT_NE(CanvasPixel(*form, 200, 200), kEmptyFileColor);

  // Without a limit the oversized file goes on to the views.
  test::ChangeSettings(*form, [&](Settings& s) { s.MaxReadByte = 0; });
  form->ClearView(true);
  form->DispatchFile(over, false);
  EXPECT_NE(form->Status(0), u"ReadSizeOver");
}

TEST_F(MainWindowTest, CacheFileBesideTheFileIsShownInstead) {
  auto form = MakeForm();
  auto path = dir_.Child(L"photo.dat");
  ASSERT_TRUE(test::WriteFileBytes(path, "not empty"));
  ASSERT_TRUE(test::WriteFileBytes(path + u".Cache", ""));
  form->DispatchFile(path, false);
  EXPECT_EQ(form->Status(0), u"Zero File");  // the empty cache file, not the file itself
}

TEST_F(MainWindowTest, ClearViewResetsCaptionStatusAndKind) {
  auto form = MakeForm();
  form->SetViewCaption(u"C:\\x\\y.txt");
  EXPECT_EQ(WindowText(form->hwnd()), u"C:\\x\\y.txt - Zarvik");
  form->DispatchFile(dir_.u16(), false);
  form->ClearView(false);
  EXPECT_EQ(form->ViewFileType, vfTemp);
  EXPECT_EQ(form->Status(0), u"");
  EXPECT_EQ(WindowText(form->hwnd()), u"Zarvik");
  EXPECT_FALSE(form->image_page().MainImage().HasPicture());
}

TEST_F(MainWindowTest, FirstStartWritesEveryKeyInOrder) {
  { auto form = MakeForm(); }
  std::string ini = test::ReadFileBytes(IniPath());
  // Keys go into their sections, in the order of the settings table.
  const char* keys[] = {"[Window]", "wsMaximized=0", "Top=", "Left=", "Width=", "Height=", "TopMost=0",
                        "NotUsedInTray=0", "HideToolBar=0", "ActiveHotKey=0", "[Programs]", "OutWClick=0",
                        "OutTextEditor=", "OutGEditor=", "OutTextDir=", "OutGDir=", "EverythingPath=", "[View]",
                        "IsBinary=.MOV,.FLV,.OGG,.MKV,.WAV,.MPG,.MPEG,.AVI,.SWF,.MP4,.HLP,.SUE,.PDF,.ISO,.COM",
                        "ArcView=0", "LinkView=1", "Better=0", "ShowID3Tag=1", "ImageCenter=1",
                        "BackgroundColor=-16777201", "ClearNoEverything=0", "MaxReadByte=20000000", "ArkWrap=1",
                        "CacheFolder=", "[Text]", "UsePreThread=0", "[Jpg]", "CompressionQuality=70",
                        "Progressive=0", "[Font]", "Height=-15", "Name=", "Size=11", "Color=clWindowText",
                        "Style=0", "Pitch=0", "[Archive]", "BuiltIn=1"};
  size_t at = 0;
  for (const char* k : keys) {
    size_t found = ini.find(k, at);
    ASSERT_NE(found, std::string::npos) << k << " missing or out of order in\n" << ini;
    at = found;
  }
  // The font name is in the ANSI code page (932 here).
  EXPECT_NE(ini.find("Name=\x82\x6C\x82\x72 \x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E"), std::string::npos);
  // The window's designed outer size was written.
  EXPECT_EQ(ini.find("Width=0"), std::string::npos);
}

TEST_F(MainWindowTest, EditedSettingsSurviveARestartWithTheirEncoding) {
  std::string body =
      "[Window]\r\nLeft=40\r\nTop = 30\r\nWidth=700\r\nHeight=500\r\n"
      "[View]\r\nMaxReadByte=$100\r\nIsBinary=.abc,\"a b\"\r\nBackgroundColor=255\r\n"
      "[Mine]\r\nkeep=me\r\nnot a key line\r\n"
      "[Font]\r\nStyle=3\r\nName=ＭＳ ゴシック\r\n";
  ASSERT_TRUE(test::WriteFileBytes(IniPath(), "\xEF\xBB\xBF" + body));
  {
    auto form = MakeForm();
    EXPECT_EQ(form->settings().MaxReadByte, 256);
    EXPECT_EQ(form->settings().IsBinary, (std::vector<std::u16string>{u".abc", u"a b"}));
    EXPECT_EQ(form->settings().Left, 40);
    EXPECT_EQ(form->settings().Font.style, kFontBold | kFontItalic);
    EXPECT_EQ(form->image_page().ScrollBox().color(), 255);
    RECT r;
    GetWindowRect(form->hwnd(), &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right - r.left, 700);
  }
  std::string ini = test::ReadFileBytes(IniPath());
  ASSERT_GE(ini.size(), 3u);
  EXPECT_EQ(ini.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(ini.find("[Mine]\r\nkeep=me\r\nnot a key line\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("MaxReadByte=256"), std::string::npos);
  EXPECT_NE(ini.find("IsBinary=.abc,\"a b\""), std::string::npos);
  EXPECT_NE(ini.find("Style=3"), std::string::npos);
  EXPECT_NE(ini.find("Name=ＭＳ ゴシック"), std::string::npos);
  EXPECT_NE(ini.find("Left=40"), std::string::npos);
}

TEST_F(MainWindowTest, Utf16SettingsFileIsWrittenBackAsUtf16) {
  std::u16string body = u"[Programs]\r\nEverythingPath=C:\\検索\\Everything.exe\r\n";
  std::string bytes = "\xFF\xFE";
  for (char16_t c : body) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  ASSERT_TRUE(test::WriteFileBytes(IniPath(), bytes));
  {
    auto form = MakeForm();
    EXPECT_EQ(form->settings().EverythingPath, u"C:\\検索\\Everything.exe");
  }
  std::string ini = test::ReadFileBytes(IniPath());
  ASSERT_GE(ini.size(), 2u);
  EXPECT_EQ(ini.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(ini.size() % 2, 0u);
}

TEST_F(MainWindowTest, FarOffPositionIsPulledBackToZero) {
  ASSERT_TRUE(test::WriteFileBytes(IniPath(), "[Window]\r\nLeft=90000\r\nTop=-5000\r\n"));
  auto form = MakeForm();
  EXPECT_EQ(form->settings().Left, 0);
  EXPECT_EQ(form->settings().Top, 0);
}

TEST_F(MainWindowTest, MaximisedWindowComesBackMaximisedWithItsRestoredSize) {
  ASSERT_TRUE(test::WriteFileBytes(IniPath(), "[Window]\r\nLeft=20\r\nTop=10\r\nWidth=640\r\nHeight=480\r\n"));
  {
    auto form = MakeForm();
    ShowWindow(form->hwnd(), SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(form->hwnd()));
  }
  std::string ini = test::ReadFileBytes(IniPath());
  for (const char* line : {"wsMaximized=1\r\n", "Top=10\r\n", "Left=20\r\n", "Width=640\r\n", "Height=480\r\n"})
    EXPECT_NE(ini.find(line), std::string::npos) << line << " in\n" << ini;
  auto form = MakeForm();
  EXPECT_TRUE(form->settings().wsMaximized);
  form->Show();
  EXPECT_TRUE(IsZoomed(form->hwnd()));
  ShowWindow(form->hwnd(), SW_RESTORE);
  RECT r;
  GetWindowRect(form->hwnd(), &r);
  EXPECT_EQ(r.right - r.left, 640);
  EXPECT_EQ(r.bottom - r.top, 480);
}

TEST_F(MainWindowTest, StoredTopMostChecksTheCommand) {
  ASSERT_TRUE(test::WriteFileBytes(IniPath(), "[Window]\r\nTopMost=1\r\n"));
  auto form = MakeForm();
  EXPECT_TRUE(form->actions[CommandId::TopMostAction].checked);
  EXPECT_TRUE(GetWindowLongW(form->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  form->actions[CommandId::TopMostAction].Execute();
  EXPECT_FALSE(form->settings().TopMost);
  EXPECT_FALSE(GetWindowLongW(form->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(MainWindowTest, CommandLineSwitches) {
  {
    auto form = MakeForm({u"/?", u"-i" + dir_.u16(), u"-Eanything"});
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, L"/iFolderName IniFile を作るフォルダを指定します");
    EXPECT_EQ(boxes_[0].caption, L"Command Parameter");
    EXPECT_TRUE(form->RunEverythingAtStart);
    EXPECT_EQ(form->ini_file_name(), dir_.Child(L"zarvik.ini"));
  }
  boxes_.clear();
  {
    auto form = MakeForm({u"-i" + dir_.Child(L"missing"), u"/e"});
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0].text, L"起動スイッチ i で指定されたフォルダがありません");
    EXPECT_EQ(form->ini_file_name(), u"C:\\nowhere\\zarvik.ini");
    EXPECT_TRUE(form->RunEverythingAtStart);
  }
}

}  // namespace
}  // namespace zk
