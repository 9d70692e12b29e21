// The text page driven through the real window: status lines, unreadable
// files, NUL bytes, links, selection and the staged display of long texts.
#include <richedit.h>

#include "base/win_text.h"
#include "support/main_window_fixture.h"
#include "support/message_pump.h"
#include "text/binary_view.h"

namespace zk {
namespace {

using TextViewTest = test::MainWindowFixture;

TEST_F(TextViewTest, ShiftJisTextShowsEncodingAndLineCount) {
  auto form = MakeForm();
  auto path = dir_.Child(L"three.txt");
  // "日本語" in Shift_JIS on the second line.
  ASSERT_TRUE(test::WriteFileBytes(path, "one\r\n\x93\xFA\x96\x7B\x8C\xEA\r\nthree\r\n"));
  form->DispatchFile(path, false);
  EXPECT_EQ(form->ViewFileType, vfText);
  EXPECT_EQ(form->Status(0), u"[S-JIS]   3 Lines");
  EXPECT_EQ(form->page_control().active_page(), kTextTabSheet);
  EXPECT_EQ(form->text_page().RichEditURL().Text(), u"one\r\n日本語\r\nthree\r\n");
}

TEST_F(TextViewTest, UnreadableFileShowsReadErrorText) {
  auto form = MakeForm();
  auto path = dir_.Child(L"locked.txt");
  ASSERT_TRUE(test::WriteFileBytes(path, "secret"));
  HANDLE lock = CreateFileW(W(path), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  form->DispatchFile(path, false);
  CloseHandle(lock);
  EXPECT_EQ(form->ViewFileType, vfText);
  EXPECT_EQ(form->text_page().RichEditURL().Text(), u"！！読み込みエラー！！");
  EXPECT_EQ(form->Status(0), u"[S-JIS]   1 Lines");
}

TEST_F(TextViewTest, NulByteSendsTheFileToTheBinaryView) {
  auto form = MakeForm();
  auto path = dir_.Child(L"setup.exe");
  ASSERT_TRUE(test::WriteFileBytes(path, std::string("MZ\0\0text", 8)));
  form->DispatchFile(path, false);
  EXPECT_EQ(form->ViewFileType, vfBinary);
  EXPECT_EQ(form->Status(0), u"Binary");
}

TEST_F(TextViewTest, BinaryListMatchesExtensionsInAnyLetterCase) {
  auto form = MakeForm();
  auto path = dir_.Child(L"clip.Mov");
  ASSERT_TRUE(test::WriteFileBytes(path, "plain text"));
  form->DispatchFile(path, false);
  EXPECT_EQ(form->ViewFileType, vfBinary);
  // Reload lifts the list for one dispatch, then puts it back.
  form->SelectedFileName = path;
  form->ReloadActionExecute();
  EXPECT_EQ(form->ViewFileType, vfText);
  EXPECT_EQ(form->settings().IsBinary.size(), 15u);
  EXPECT_EQ(form->settings().MaxReadByte, 20000000);
  form->ClearView(true);
  form->DispatchFile(path, false);
  EXPECT_EQ(form->ViewFileType, vfBinary);
}

TEST_F(TextViewTest, LeftClickOnADetectedLinkReportsItsText) {
  auto form = MakeForm();
  auto path = dir_.Child(L"link.txt");
  ASSERT_TRUE(test::WriteFileBytes(path, "see http://example.com/a now"));
  form->DispatchFile(path, false);
  std::u16string clicked;
  form->text_page().RichEditURL().OnURLClick = [&](TRichEditURL&, const std::u16string& url) { clicked = url; };

  ENLINK link{};
  link.nmhdr.hwndFrom = form->text_page().RichEditURL().hwnd();
  link.nmhdr.code = EN_LINK;
  link.chrg = {4, 24};
  link.msg = WM_MOUSEMOVE;
  SendMessageW(form->hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&link));
  EXPECT_EQ(clicked, u"");
  link.msg = WM_LBUTTONDOWN;
  SendMessageW(form->hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&link));
  EXPECT_EQ(clicked, u"http://example.com/a");
}

TEST_F(TextViewTest, SelectAllIsEnabledOnlyForText) {
  auto form = MakeForm();
  Action& select_all = form->actions[CommandId::SellectAllAction];
  form->DispatchFile(dir_.u16(), false);
  select_all.Update();
  EXPECT_FALSE(select_all.enabled);

  auto path = dir_.Child(L"a.txt");
  ASSERT_TRUE(test::WriteFileBytes(path, "abc\r\ndef"));
  form->ClearView(true);
  form->DispatchFile(path, false);
  Action& copy = form->actions[CommandId::CopyAction];
  copy.Update();
  EXPECT_FALSE(copy.enabled);  // nothing selected yet
  EXPECT_TRUE(select_all.Execute());
  EXPECT_EQ(form->text_page().RichEditURL().SelectedText().size(), 7u);
  copy.Update();
  EXPECT_TRUE(copy.enabled);
}

TEST_F(TextViewTest, TextMenuOffersTheSearchesOnlyForASelection) {
  auto form = MakeForm();
  auto path = dir_.Child(L"words.txt");
  ASSERT_TRUE(test::WriteFileBytes(path, "some words"));
  form->DispatchFile(path, false);
  const auto& items = form->text_popup_menu()->items();
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[0].caption, L"コピー\tCtrl+C");
  EXPECT_EQ(items[2].caption, L"-");
  EXPECT_EQ(items[3].caption, L"Google で検索");
  EXPECT_EQ(items[4].caption, L"Wikipedia で検索");
  EXPECT_FALSE(items[3].enabled());
  EXPECT_TRUE(items[1].enabled());
  form->text_popup_menu()->Click(1);  // すべて選択
  EXPECT_TRUE(items[3].enabled());
  EXPECT_TRUE(items[4].enabled());
}

TEST_F(TextViewTest, LongLinesCountByDisplayLines) {
  auto form = MakeForm();
  auto path = dir_.Child(L"long.txt");
  ASSERT_TRUE(test::WriteFileBytes(path, std::string(3000, 'x') + "\r\nend\r\n"));
  form->DispatchFile(path, false);
  EXPECT_GT(form->text_page().RichEditURL().LineCount(), 2);
}

TEST_F(TextViewTest, StagedDisplayShowsTheFirstScreenThenTheRest) {
  auto form = MakeForm();
  std::string body;
  for (int i = 0; i < 3000; ++i) body += "line " + std::to_string(i) + "\r\n";
  auto path = dir_.Child(L"many.txt");
  ASSERT_TRUE(test::WriteFileBytes(path, body));

  form->DispatchFile(path, false);
  EXPECT_FALSE(form->text_page().reading());  // off by default: everything at once
  EXPECT_EQ(form->Status(0), u"[S-JIS]   3000 Lines");

  test::ChangeSettings(*form, [&](Settings& s) { s.UsePreThread = true; });
  form->ClearView(true);
  form->DispatchFile(path, false);
  ASSERT_TRUE(form->text_page().reading());
  EXPECT_EQ(form->ViewFileType, vfText);
  EXPECT_LT(form->text_page().RichEditURL().LineCount(), 3000);
  for (int i = 0; i < 500 && form->text_page().reading(); ++i) {
    test::PumpMessages();
    Sleep(5);
  }
  EXPECT_FALSE(form->text_page().reading());
  EXPECT_EQ(form->text_page().RichEditURL().LineCount(), 3000);
  EXPECT_EQ(form->Status(0), u"   3000 Lines");
}

TEST_F(TextViewTest, ClearingStopsTheReader) {
  auto form = MakeForm();
  test::ChangeSettings(*form, [&](Settings& s) { s.UsePreThread = true; });
  std::string body;
  for (int i = 0; i < 100000; ++i) body += "row " + std::to_string(i) + "\r\n";
  auto path = dir_.Child(L"big.txt");
  ASSERT_TRUE(test::WriteFileBytes(path, body));
  form->DispatchFile(path, false);
  ASSERT_TRUE(form->text_page().reading());
  form->ClearView(true);
  EXPECT_FALSE(form->text_page().reading());
  test::PumpMessages();
  EXPECT_EQ(form->text_page().RichEditURL().Text(), u"");
}

}  // namespace
}  // namespace zk
