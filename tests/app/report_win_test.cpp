// The state report of the real window, its two commands, and the version
// values it takes from program files.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/window/clipboard_text.h"
#include "app/shell/file_info.h"
#include "archive/member_size.h"
#include "support/main_window_fixture.h"
#include "support/picture_files.h"

namespace zk {
namespace {

using ReportTest = test::OwnProgramFixture;

std::vector<std::u16string> Lines(const std::u16string& report) {
  std::vector<std::u16string> lines;
  size_t start = 0;
  for (size_t cr; (cr = report.find(u'\r', start)) != std::u16string::npos; start = cr + 1)
    lines.push_back(report.substr(start, cr - start));
  return lines;
}

TEST_F(ReportTest, BeforeAnyFileTheViewIsEmptyAndTheLayoutIsTheWindows) {
  auto form = MakeForm();
  auto lines = Lines(form->StateReport());
  ASSERT_EQ(lines.size(), 51u);

  VersionStrings own = ReadVersionStrings(test::BinFile(L"zarvik.exe"));
  ASSERT_FALSE(own.FileVersion.empty());
  EXPECT_EQ(lines[0], u"FileVersion=" + own.FileVersion);
  EXPECT_EQ(lines[1], u"ProductVersion=" + own.ProductVersion);
  EXPECT_EQ(lines[2], u"FileDescription=" + own.FileDescription);
  EXPECT_EQ(lines[3], u"WorkFolder = " + form->archive_page().browser().work_folder());
  EXPECT_NE(form->archive_page().browser().work_folder(), u"");

  EXPECT_EQ(lines[17], u"Picture.Graphic=-1");
  EXPECT_EQ(lines[34], u"SelectedFileName=");
  EXPECT_EQ(lines[35], u"ViewFileType=vfTemp");
  EXPECT_EQ(lines[36], u"EverythingHandle=0");
  EXPECT_EQ(lines[38], u"IniFileName=" + dir_.Child(L"zarvik.ini"));
  EXPECT_EQ(lines[39], u"ToolbarIniName=" + dir_.Child(L"zarvik.ToolBarDat"));
  EXPECT_EQ(lines[41], u"ShowID3Tag=-1");  // the defaults
  EXPECT_EQ(lines[43], u"LinkView=-1");
  EXPECT_EQ(lines[45], u"TopMost=0");
  EXPECT_EQ(lines[49], u"MaxReadByte=20,000,000");
  EXPECT_EQ(lines[50], u"xdoc2txtPath=" + form->converter_path());

  // The text control fills its page, which fills the window above the status bar.
  RECT page;
  GetClientRect(form->TextTabSheet(), &page);
  EXPECT_EQ(lines[20], u"Visible=-1");
  EXPECT_EQ(lines[23], u"Width=" + IntToText(page.right));
  EXPECT_EQ(lines[24], u"Height=" + IntToText(page.bottom));
  EXPECT_EQ(lines[26], u"Items.Count=0");
  EXPECT_EQ(lines[27], u"ItemIndex=-1");
  EXPECT_EQ(lines[30], u"Visible=-1");  // the scroll box
}

TEST_F(ReportTest, WithAPictureShownTheKindIsImageAndThePictureIsThere) {
  auto form = MakeForm();
  MoveWindow(form->image_page().ScrollBox().hwnd(), 0, 0, 400, 300, FALSE);
  auto path = dir_.Child(L"赤.bmp");
  ASSERT_TRUE(test::WriteFileBytes(path, test::PlainBitmapFile(40, 20)));
  form->SelectedFileName = path;
  form->DispatchFile(path, false);
  ASSERT_EQ(form->ViewFileType, vfImage);

  auto lines = Lines(form->StateReport());
  ASSERT_EQ(lines.size(), 51u);
  EXPECT_EQ(lines[35], u"ViewFileType=vfImage");
  EXPECT_EQ(lines[17], u"Picture.Graphic=0");
  EXPECT_EQ(lines[34], u"SelectedFileName=" + path);
  EXPECT_EQ(lines[7], u"Visible=-1");
  EXPECT_EQ(lines[15], lines[7]);
  // Where the picture control really is in the scroll box.
  RECT r;
  GetWindowRect(form->image_page().MainImage().hwnd(), &r);
  MapWindowPoints(nullptr, form->image_page().ScrollBox().hwnd(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(lines[11], u"Top=" + IntToText(r.top));
  EXPECT_EQ(lines[12], u"Left=" + IntToText(r.left));
  EXPECT_EQ(lines[13], u"Width=" + IntToText(r.right - r.left));
  EXPECT_EQ(lines[14], u"Height=" + IntToText(r.bottom - r.top));
  EXPECT_GT(r.right - r.left, 0);

  form->ClearView(true);
  lines = Lines(form->StateReport());
  EXPECT_EQ(lines[35], u"ViewFileType=vfTemp");
  EXPECT_EQ(lines[17], u"Picture.Graphic=-1");
}

TEST_F(ReportTest, CtrlTShowsTheReportInAMessageBox) {
  auto form = MakeForm();
  EXPECT_TRUE(PressShortcut(*form, {VK_CONTROL}, 'T'));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, ToWide(form->StateReport()));
  EXPECT_EQ(boxes_[0].caption, L"Zarvik");
  EXPECT_EQ(boxes_[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OK));
}

TEST_F(ReportTest, CtrlXAsksFirstAndOnlyOkCopiesPlainText) {
  auto form = MakeForm();
  ASSERT_TRUE(SetClipboardText(form->hwnd(), u"before"));

  answer_ = IDCANCEL;
  EXPECT_TRUE(PressShortcut(*form, {VK_CONTROL}, 'X'));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"現在の設定状況をクリップボードにコピーします");
  EXPECT_EQ(boxes_[0].type & MB_TYPEMASK, static_cast<UINT>(MB_OKCANCEL));
  EXPECT_EQ(ClipboardText(form->hwnd()), u"before");

  answer_ = IDOK;
  EXPECT_TRUE(PressShortcut(*form, {VK_CONTROL}, 'X'));
  ASSERT_EQ(boxes_.size(), 2u);
  std::u16string copied = ClipboardText(form->hwnd());
  EXPECT_EQ(copied, form->StateReport());
  EXPECT_EQ(Lines(copied).size(), 51u);
  EXPECT_EQ(copied.find(u'\n'), std::u16string::npos);
}

TEST(FileInfoTest, FullPartialAndMissingVersionResources) {
  TFileInfo info;
  info.SetFileName(test::BinFile(L"zarvik.exe"));
  EXPECT_TRUE(info.HasVersionResource());
  EXPECT_EQ(info.Version().ProductName, u"Zarvik");
  EXPECT_EQ(info.Version().OriginalFilename, u"zarvik.exe");
  EXPECT_EQ(info.Version().InternalName, u"zarvik");
  EXPECT_EQ(info.Version().CompanyName, u"Zarvik");
  for (const std::u16string* v : {&info.ProductVersion(), &info.FileVersion(), &info.FileDescription()}) {
    EXPECT_FALSE(v->empty());
    EXPECT_NE(*v, u"UnKnown");
  }
  // Its icons, drawn at their sizes.
  BITMAP bm{};
  ASSERT_TRUE(info.LargeIcon() && GetObjectW(info.LargeIcon(), sizeof(bm), &bm));
  EXPECT_EQ(bm.bmWidth, 32);
  ASSERT_TRUE(info.SmallIcon() && GetObjectW(info.SmallIcon(), sizeof(bm), &bm));
  EXPECT_EQ(bm.bmHeight, 16);

  // Names but no version fields: those three are "UnKnown", the rest as given.
  info.SetFileName(test::BinFile(L"version_partial.dll"));
  EXPECT_TRUE(info.HasVersionResource());
  EXPECT_EQ(info.ProductVersion(), u"UnKnown");
  EXPECT_EQ(info.FileVersion(), u"UnKnown");
  EXPECT_EQ(info.FileDescription(), u"UnKnown");
  EXPECT_EQ(info.Version().ProductName, u"Partial");
  EXPECT_EQ(info.Version().CompanyName, u"テスト工房");
  EXPECT_EQ(info.Version().InternalName, u"");

  // The test program has no version resource: every value is empty.
  info.SetFileName(test::BinFile(L"zarvik_win_tests.exe"));
  EXPECT_FALSE(info.HasVersionResource());
  EXPECT_EQ(info.ProductVersion(), u"");
  EXPECT_EQ(info.FileVersion(), u"");
  EXPECT_EQ(info.Version().ProductName, u"");
}

TEST(FileInfoTest, ReadsAgainOnlyWhenTheNameChanges) {
  TFileInfo info;
  auto exe = test::BinFile(L"zarvik.exe");
  info.SetFileName(exe);
  info.SetFileName(exe);
  EXPECT_EQ(info.reads(), 1);
  info.SetFileName(test::BinFile(L"version_partial.dll"));
  info.SetFileName(exe);
  EXPECT_EQ(info.reads(), 3);
  EXPECT_EQ(info.Version().ProductName, u"Zarvik");
}

TEST(FileInfoTest, DamagedMissingAndOddFilesGiveEmptyValues) {
  test::TempDir dir;
  std::string exe = test::ReadFileBytes(test::BinFile(L"zarvik.exe"));
  ASSERT_GT(exe.size(), 4096u);
  auto cut = dir.Child(L"cut.exe");
  ASSERT_TRUE(test::WriteFileBytes(cut, exe.substr(0, exe.size() * 2 / 3)));
  auto header_only = dir.Child(L"header.dll");
  ASSERT_TRUE(test::WriteFileBytes(header_only, exe.substr(0, 512)));
  auto text = dir.Child(L"readme.txt");
  ASSERT_TRUE(test::WriteFileBytes(text, "MZ but not a program"));
  // Cut short: whatever can still be read, never a crash.
  bool has = false;
  VersionStrings v = ReadVersionStrings(cut, &has);
  if (!has) {
    EXPECT_EQ(v.ProductVersion, u"");
  }
  for (const std::u16string& name : {header_only, text, dir.Child(L"missing.exe"), dir.u16(), std::u16string()}) {
    v = ReadVersionStrings(name, &has);
    EXPECT_FALSE(has) << Utf16ToUtf8(name);
    EXPECT_EQ(v.ProductVersion, u"");
    EXPECT_EQ(v.FileVersion, u"");
    EXPECT_EQ(v.FileDescription, u"");
  }
}

TEST(FormatMemberSizeTest, JapaneseGroupingWithoutTheCurrencySign) {
  EXPECT_EQ(FormatMemberSize(int64_t{20000000}), u"20,000,000");
  EXPECT_EQ(FormatMemberSize(int64_t{1234567}), u"1,234,567");
  EXPECT_EQ(FormatMemberSize(int64_t{999}), u"999");
  EXPECT_EQ(FormatMemberSize(int64_t{0}), u"0");
  EXPECT_EQ(FormatMemberSize(u""), u"");
}

}  // namespace
}  // namespace zk
