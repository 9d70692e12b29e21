// The settings dialog driven for real from the main window's settings
// command: what OK and Cancel do to the settings, the remembered page, the
// size field and its hint, the binary-extension editor, the pickers, the hot
// key, always-on-top and Shift; and the dialog moved to another DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/window/main_window.h"
#include "app/dialogs/options_form.h"
#include "app/model/options_form_rules.h"
#include "base/text.h"
#include "base/ui/dpi.h"
#include "base/win_text.h"
#include "support/main_window_fixture.h"
#include "support/test_files.h"

namespace zk {
namespace {

// The settings the dialog edits, as the settings file would hold them.
std::string Snapshot(const Settings& s) {
  IniFile ini;
  WriteSettings(s, ini);
  return ini.Serialize(WinAnsiCodec());
}

class OptionsFormTest : public test::MainWindowFixture {
 protected:
  // Runs the settings command with no modifier held; body runs once the
  // dialog is up. A dialog the body leaves open is cancelled after the
  // messages the body posted. True when the dialog was shown.
  bool RunOptions(TZKMainForm& form, const std::function<void(TZKOptionsForm&)>& body) {
    bool shown = false;
    services_->options_form_shown = [&](TZKOptionsForm& f) {
      shown = true;
      body(f);
      PostMessageW(f.hwnd(), WM_COMMAND, IDCANCEL, 0);
    };
    {
      test::HeldKeys none({});
      form.actions[CommandId::OptionsAction].Execute();
    }
    services_->options_form_shown = nullptr;
    return shown;
  }
};

TEST_F(OptionsFormTest, OkCopiesEveryControlBackAndTheDialogReopensOnThatPage) {
  auto form = MakeForm();
  Settings s = form->settings();
  s.MaxReadByte = 12345;
  s.IsBinary = {u".AAA", u".BBB"};
  s.OutTextEditor = u"C:\\tools\\edit.exe";
  s.ActiveHotKey = 0;
  form->ApplySettings(s);

  ASSERT_TRUE(RunOptions(*form, [&](TZKOptionsForm& f) {
    RECT rc;
    GetClientRect(f.hwnd(), &rc);
    EXPECT_EQ(rc.right, 421);
    EXPECT_EQ(rc.bottom, 299);
    EXPECT_TRUE(IsWindowVisible(f.hwnd()));
    EXPECT_EQ(WindowText(f.hwnd()), u"ZKOptionsForm");
    EXPECT_EQ(f.ActivePage(), kMainPage);
    EXPECT_EQ(f.MaxKByteEdit.Text(), u"12345");
    EXPECT_EQ(f.KakuListBox.Items(), (std::vector<std::u16string>{u".AAA", u".BBB"}));
    EXPECT_EQ(f.OutTextEdit.Text(), u"C:\\tools\\edit.exe");
    EXPECT_EQ(f.BackgroundColorPanel.color(), clBtnFace);
    EXPECT_TRUE(f.LinkViewCheckBox.checked());
    EXPECT_FALSE(f.ArcViewCheckBox.checked());
    // The preview shows the sample text kept with the text font.
    EXPECT_EQ(f.FontPreview.Text(), WindowText(form->text_page().FontTestMemo()));
    EXPECT_NE(f.FontPreview.Text().find(u"いろはにこんぺいとう\r\n薔薇来夏"), std::u16string::npos);

    for (CheckBox* c : {&f.NotUsedInTrayCheckBox, &f.ClearNoEverythingCheckBox, &f.BetterCheckBox,
                        &f.ImageCenterCheckBox, &f.OutWClickCheckBox, &f.ShowID3TagCheckBox, &f.LinkViewCheckBox,
                        &f.ArcViewCheckBox, &f.ArkWrapCheckBox})
      c->SetChecked(!c->checked());
    f.MaxKByteEdit.SetText(u"777");
    f.UserActiveHotKey.SetValue(HotKeyFieldFromShortcut(0x4000 | 0x2000 | VK_F11));
    f.EverythingPathEdit.SetText(u"C:\\Everything\\Everything.exe");
    f.OutTextEdit.SetText(u"notepad.exe");
    f.OutTextDirEdit.SetText(u"C:\\text");
    f.OutGEdit.SetText(u"C:\\pictures\\view.exe");
    f.OutGDirEdit.SetText(u"C:\\pictures");
    f.CacheFolderEdit.SetText(u"C:\\cache");
    f.PageControl.SetActivePage(kProgramsPage);
    f.Click(f.OKButton);
  }));

  s = form->settings();
  EXPECT_TRUE(s.NotUsedInTray);
  EXPECT_TRUE(s.ClearNoEverything);
  EXPECT_TRUE(s.Better);
  EXPECT_FALSE(s.ImageCenter);
  EXPECT_TRUE(s.OutWClick);
  EXPECT_FALSE(s.ShowID3Tag);
  EXPECT_FALSE(s.LinkView);
  EXPECT_TRUE(s.ArcView);
  EXPECT_FALSE(s.ArkWrap);
  EXPECT_EQ(s.MaxReadByte, 777);
  EXPECT_EQ(s.ActiveHotKey, 0x6000 | VK_F11);
  EXPECT_EQ(s.IsBinary, (std::vector<std::u16string>{u".AAA", u".BBB"}));
  EXPECT_EQ(s.EverythingPath, u"C:\\Everything\\Everything.exe");
  EXPECT_EQ(s.OutTextEditor, u"notepad.exe");
  EXPECT_EQ(s.OutTextDir, u"C:\\text");
  EXPECT_EQ(s.OutGEditor, u"C:\\pictures\\view.exe");
  EXPECT_EQ(s.OutGDir, u"C:\\pictures");
  EXPECT_EQ(s.CacheFolder, u"C:\\cache");
  EXPECT_EQ(form->actions[CommandId::OptionsAction].tag, kProgramsPage);

  ASSERT_TRUE(RunOptions(*form, [&](TZKOptionsForm& f) {
    EXPECT_EQ(f.ActivePage(), kProgramsPage);
    EXPECT_EQ(f.MaxKByteEdit.Text(), u"777");
    EXPECT_EQ(f.UserActiveHotKey.Value() & 0x07FF, HotKeyFieldFromShortcut(0x6000 | VK_F11) & 0x07FF);
  }));

  // The changes reach the settings file at exit.
  form.reset();
  std::string ini = test::ReadFileBytes(IniPath());
  EXPECT_NE(ini.find("MaxReadByte=777"), std::string::npos);
  EXPECT_NE(ini.find("CacheFolder=C:\\cache"), std::string::npos);
}

TEST_F(OptionsFormTest, CancelEscapeAndClosingChangeNothingNotEvenThePage) {
  auto form = MakeForm();
  form->actions[CommandId::OptionsAction].tag = kImagePage;
  const std::string before = Snapshot(form->settings());
  auto change_everything = [](TZKOptionsForm& f) {
    for (CheckBox* c : {&f.NotUsedInTrayCheckBox, &f.BetterCheckBox, &f.LinkViewCheckBox, &f.ArkWrapCheckBox})
      c->SetChecked(!c->checked());
    f.MaxKByteEdit.SetText(u"5");
    f.OutGEdit.SetText(u"x.exe");
    f.CacheFolderEdit.SetText(u"C:\\elsewhere");
    f.KakuListBox.SetItems({u".ONE"});
    f.PageControl.SetActivePage(kOtherPage);
  };

  ASSERT_TRUE(RunOptions(*form, [&](TZKOptionsForm& f) {
    EXPECT_EQ(f.ActivePage(), kImagePage);
    change_everything(f);
    f.Click(f.CancelButton);
  }));
  // Esc reaches the dialog through the focused control, as a key press does.
  ASSERT_TRUE(RunOptions(*form, [&](TZKOptionsForm& f) {
    change_everything(f);
    HWND focus = GetFocus();
    ASSERT_TRUE(focus != nullptr && IsChild(f.hwnd(), focus));
    PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(f.hwnd(), WM_COMMAND, IDOK, 0);  // would copy back if Esc were lost
  }));
  ASSERT_TRUE(RunOptions(*form, [&](TZKOptionsForm& f) {
    change_everything(f);
    PostMessageW(f.hwnd(), WM_CLOSE, 0, 0);
    PostMessageW(f.hwnd(), WM_COMMAND, IDOK, 0);
  }));

  EXPECT_EQ(Snapshot(form->settings()), before);
  EXPECT_EQ(form->actions[CommandId::OptionsAction].tag, kImagePage);
  EXPECT_EQ(form->image_page().ScrollBox().color(), clBtnFace);
}

TEST_F(OptionsFormTest, SizeLimitTakesDecimalNumbersAndKeepsTheOldValueOtherwise) {
  auto form = MakeForm();
  struct Case {
    std::u16string typed;
    int64_t expected;
  };
  const Case cases[] = {
      {u"abc", 20000000}, {u"", 20000000},      {u"0x10", 20000000}, {u"99999999999999999999", 20000000},
      {u"1e6", 20000000}, {u" 300 ", 300},      {u"-5", -5},         {u"0", 0},
  };
  for (const Case& c : cases) {
    test::ChangeSettings(*form, [&](Settings& s) { s.MaxReadByte = 20000000; });
    ASSERT_TRUE(RunOptions(*form, [&](TZKOptionsForm& f) {
      f.MaxKByteEdit.SetText(c.typed);
      f.Click(f.OKButton);
    }));
    EXPECT_EQ(form->settings().MaxReadByte, c.expected) << Utf16ToUtf8(c.typed);
  }
  // A negative limit (taken as typed above, then -5) turns away every file with content.
  test::ChangeSettings(*form, [&](Settings& s) { s.MaxReadByte = 20000000; });
  ASSERT_TRUE(RunOptions(*form, [&](TZKOptionsForm& f) {
    f.MaxKByteEdit.SetText(u"-5");
    f.Click(f.OKButton);
  }));
  auto small = dir_.Child(L"small.txt");
  ASSERT_TRUE(test::WriteFileBytes(small, "a"));
  form->DispatchFile(small, false);
  EXPECT_EQ(form->Status(0), u"ReadSizeOver");
}

TEST_F(OptionsFormTest, SizeHintFollowsWhatIsTyped) {
  auto form = MakeForm();
  ASSERT_TRUE(RunOptions(*form, [&](TZKOptionsForm& f) {
    HWND edit = f.MaxKByteEdit.hwnd();
    EXPECT_EQ(f.HintOf(edit), u"20 M ");  // filled from the default limit
    const std::pair<std::u16string, std::u16string> examples[] = {
        {u"999", u""},
        {u"1000", u"1 K バイト"},
        {u"1500", u"1 K 500 バイト"},
        {u"1000000", u"1000 K バイト"},
        {u"1000500", u"1 M 0 K 500 バイト"},
        {u"1234567", u"1 M 234 K 567 バイト"},
        {u"12a", u""},
    };
    for (const auto& [typed, hint] : examples) {
      f.MaxKByteEdit.SetText(typed);
      EXPECT_EQ(f.HintOf(edit), hint) << Utf16ToUtf8(typed);
    }
  }));
}

TEST_F(OptionsFormTest, AddingExtensionsChecksTheAnswer) {
  auto form = MakeForm();
  test::ChangeSettings(*form, [&](Settings& s) { s.IsBinary = {u".MOV"}; });
  ASSERT_TRUE(RunOptions(*form, [&](TZKOptionsForm& f) {
    std::vector<std::optional<std::u16string>> answers;
    std::vector<std::u16string> asked;
    f.pickers.input_query = [&](HWND owner, const std::u16string& caption, const std::u16string& prompt,
                                const std::u16string& preset) -> std::optional<std::u16string> {
      EXPECT_EQ(owner, f.hwnd());
      asked.push_back(caption + u"|" + prompt + u"|" + preset);
      auto a = answers.front();
      answers.erase(answers.begin());
      return a;
    };
    auto add = [&](std::optional<std::u16string> answer) {
      answers = {std::move(answer)};
      f.Click(f.KakuListAddButton);
    };
    add(u"txt");
    add(u".TXT");  // already listed as .txt
    add(u"mov");   // already listed as .MOV
    add(u"");      // a lone dot
    add(std::nullopt);
    EXPECT_EQ(f.KakuListBox.Items(), (std::vector<std::u16string>{u".MOV", u".txt", u"."}));
    EXPECT_EQ(asked.front(), u"バイナリと判断する拡張子の追加|拡張子|***");
    EXPECT_TRUE(boxes_.empty());

    add(u"***");  // the preset itself is refused
    for (char16_t c : kForbiddenExtensionChars) add(std::u16string(u"ab") + c);
    EXPECT_EQ(f.KakuListBox.Items(), (std::vector<std::u16string>{u".MOV", u".txt", u"."}));
    ASSERT_EQ(boxes_.size(), 12u);
    for (const auto& box : boxes_) {
      EXPECT_EQ(box.text, L"指定の拡張子にファイル禁則文字が含まれています");
      EXPECT_EQ(box.caption, L"Zarvik");
    }
    f.Click(f.OKButton);
  }));
  EXPECT_EQ(form->settings().IsBinary, (std::vector<std::u16string>{u".MOV", u".txt", u"."}));
}

// A dialog of its own (not shown), to answer the confirmation both ways.
TEST(OptionsFormDelete, DeletesTheSelectedEntriesAfterConfirmation) {
  std::vector<std::wstring> asked;
  int answer = IDCANCEL;
  TZKOptionsForm f(nullptr, [&](HWND, const std::wstring& text, const std::wstring&, UINT type) {
    asked.push_back(text);
    EXPECT_EQ(type & MB_TYPEMASK, static_cast<UINT>(MB_OKCANCEL));
    return answer;
  }, L"Zarvik");
  ASSERT_TRUE(f.Create());
  Settings s;
  s.IsBinary = {u".A", u".B", u".C", u".D"};
  f.FillFrom(s);
  EXPECT_FALSE(IsWindowEnabled(f.KakuListDelButton));

  // A click on the list selects as the user does and tells the dialog.
  auto select = [&](std::initializer_list<int> rows) {
    for (int i = 0; i < f.KakuListBox.Count(); ++i) f.KakuListBox.SetSelected(i, false);
    for (int i : rows) f.KakuListBox.SetSelected(i, true);
    SendMessageW(GetParent(f.KakuListBox.hwnd()), WM_COMMAND,
                 MAKEWPARAM(GetDlgCtrlID(f.KakuListBox.hwnd()), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(f.KakuListBox.hwnd()));
  };
  select({1, 3});
  ASSERT_TRUE(IsWindowEnabled(f.KakuListDelButton));
  f.Click(f.KakuListDelButton);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0], L"選択された拡張子を\r削除してよろしいですか？");
  EXPECT_EQ(f.KakuListBox.Count(), 4);

  answer = IDOK;
  f.Click(f.KakuListDelButton);
  EXPECT_EQ(f.KakuListBox.Items(), (std::vector<std::u16string>{u".A", u".C"}));
  EXPECT_FALSE(IsWindowEnabled(f.KakuListDelButton));  // nothing is selected any more
  f.Click(f.KakuListDelButton);
  EXPECT_EQ(asked.size(), 2u);  // a disabled button asks nothing
}

// Moved to a monitor of twice the DPI, the dialog takes the rectangle the
// system suggests, and its controls, nested ones too, and their font double.
TEST(OptionsFormDpi, AtTwiceTheDpiTakesTheSuggestedRectangleAndDoublesItsControls) {
  TZKOptionsForm f(nullptr, [](HWND, const std::wstring&, const std::wstring&, UINT) { return IDOK; }, L"Zarvik");
  ASSERT_TRUE(f.Create());
  auto size_of = [](HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
  };
  auto font_height = [](HWND w) {
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)), sizeof(lf), &lf);
    return std::abs(lf.lfHeight);
  };
  const SIZE ok = size_of(f.OKButton), hot_key = size_of(f.UserActiveHotKey.hwnd());
  const int font = font_height(f.OKButton);
  ASSERT_GT(font, 0);
  const int dpi = 2 * DpiOfWindow(f.hwnd());
  RECT suggested{10, 20, 910, 720};
  SendMessageW(f.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));

  RECT now{};
  GetWindowRect(f.hwnd(), &now);
  EXPECT_TRUE(EqualRect(&now, &suggested));
  EXPECT_NEAR(size_of(f.OKButton).cx, 2 * ok.cx, 1);
  EXPECT_NEAR(size_of(f.OKButton).cy, 2 * ok.cy, 1);
  EXPECT_NEAR(size_of(f.UserActiveHotKey.hwnd()).cx, 2 * hot_key.cx, 1);
  EXPECT_NEAR(font_height(f.UserActiveHotKey.hwnd()), 2 * font, 1);
  // The same DPI again (as placing the dialog on its owner's monitor reports) changes nothing.
  RECT elsewhere{0, 0, 100, 100};
  SendMessageW(f.hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&elsewhere));
  GetWindowRect(f.hwnd(), &now);
  EXPECT_TRUE(EqualRect(&now, &suggested));
}

TEST_F(OptionsFormTest, PickersFillTheirFieldsAndCancelledOnesLeaveThem) {
  auto form = MakeForm();
  test::ChangeSettings(*form, [&](Settings& s) { s.OutTextEditor = u"C:\\old\\text.exe"; });
  std::vector<std::u16string> calls;
  bool cancel = false;
  ASSERT_TRUE(RunOptions(*form, [&](TZKOptionsForm& f) {
    f.pickers.open_file = [&](HWND owner, const std::u16string& title, const std::u16string& filter,
                              const std::u16string& current) -> std::optional<std::u16string> {
      EXPECT_EQ(owner, f.hwnd());
      calls.push_back(u"open " + title + u" " + filter + u" " + current);
      if (cancel) return std::nullopt;
      return u"C:\\chosen\\" + IntToText(calls.size()) + u".exe";
    };
    f.pickers.browse_folder = [&](HWND owner, const std::u16string& initial, const std::u16string& title,
                                  bool with_edit_box) -> std::u16string {
      EXPECT_EQ(owner, f.hwnd());
      calls.push_back(u"folder " + title + u" [" + initial + u"] " + (with_edit_box ? u"edit" : u"plain"));
      return cancel ? u"" : u"C:\\folder" + IntToText(calls.size());
    };
    f.Click(f.SpeedButton1);
    for (HWND b : f.OutViewerButtons) f.Click(b);
    f.Click(f.SpeedButton2);
    EXPECT_EQ(f.EverythingPathEdit.Text(), u"C:\\chosen\\1.exe");
    EXPECT_EQ(f.OutTextEdit.Text(), u"C:\\chosen\\2.exe");
    EXPECT_EQ(f.OutTextDirEdit.Text(), u"C:\\folder3");
    EXPECT_EQ(f.OutGEdit.Text(), u"C:\\chosen\\4.exe");
    EXPECT_EQ(f.OutGDirEdit.Text(), u"C:\\folder5");
    EXPECT_EQ(f.CacheFolderEdit.Text(), u"C:\\folder6");

    cancel = true;
    f.Click(f.SpeedButton1);
    for (HWND b : f.OutViewerButtons) f.Click(b);
    f.Click(f.SpeedButton2);
    EXPECT_EQ(f.EverythingPathEdit.Text(), u"C:\\chosen\\1.exe");
    EXPECT_EQ(f.OutGDirEdit.Text(), u"C:\\folder5");
    EXPECT_EQ(f.CacheFolderEdit.Text(), u"C:\\folder6");
    f.Click(f.OKButton);
  }));
  ASSERT_EQ(calls.size(), 12u);
  const std::u16string exe = u"実行ファイル|*.exe;*.bat;*.com|全てのファイル|*.*";
  EXPECT_EQ(calls[0], u"open Everything を指定 Everything|Everything.exe|全てのファイル|*.* ");
  EXPECT_EQ(calls[1], u"open 実行ファイルの指定 " + exe + u" C:\\old\\text.exe");
  EXPECT_EQ(calls[2], u"folder 実行時フォルダの指定 [] plain");
  EXPECT_EQ(calls[3], u"open 実行ファイルの指定 " + exe + u" ");
  EXPECT_EQ(calls[4], u"folder 実行時フォルダの指定 [] plain");
  EXPECT_EQ(calls[5], u"folder キャッシュフォルダの指定 [C:\\nowhere\\] edit");
  EXPECT_EQ(form->settings().CacheFolder, u"C:\\folder6");
}

TEST_F(OptionsFormTest, FontAndColourReachTheTextAndThePictureArea) {
  auto form = MakeForm();
  ASSERT_TRUE(RunOptions(*form, [&](TZKOptionsForm& f) {
    f.pickers.choose_font = [&](HWND, FontSetting& font) {
      EXPECT_EQ(font.name, u"ＭＳ Ｐゴシック");  // starts from the text font
      font.name = u"Courier New";
      font.height = -20;
      font.style = kFontBold | kFontItalic;
      font.color = clRed;
      return true;
    };
    Color offered = 0;
    f.pickers.choose_color = [&](HWND, Color& c) {
      offered = c;
      c = static_cast<Color>(GetSysColor(COLOR_BTNFACE));  // the same colour as drawn
      return true;
    };
    f.Click(f.BackgroundColorPanel.hwnd());
    EXPECT_EQ(offered, clBtnFace);
    EXPECT_EQ(f.BackgroundColorPanel.color(), clBtnFace);  // still the system colour

    f.pickers.choose_color = [](HWND, Color& c) {
      c = 0x123456;
      return true;
    };
    f.Click(f.BackgroundColorPanel.hwnd());
    EXPECT_EQ(f.BackgroundColorPanel.color(), 0x123456);
    EXPECT_EQ(f.BackgroundColorPanel.caption_color(), static_cast<COLORREF>(0xEDCBA9));

    f.Click(f.Button1);
    EXPECT_EQ(f.preview_font().name, u"Courier New");
    f.Click(f.OKButton);
  }));
  EXPECT_EQ(form->settings().Font.name, u"Courier New");
  EXPECT_EQ(form->settings().Font.style, kFontBold | kFontItalic);
  EXPECT_EQ(form->image_page().ScrollBox().color(), 0x123456);
  EXPECT_EQ(form->settings().BackgroundColor, 0x123456);
  // The text font is in use at once.
  LOGFONTW lf{};
  auto font = reinterpret_cast<HFONT>(SendMessageW(form->text_page().FontTestMemo(), WM_GETFONT, 0, 0));
  ASSERT_TRUE(font != nullptr);
  GetObjectW(font, sizeof(lf), &lf);
  EXPECT_STREQ(lf.lfFaceName, L"Courier New");
  EXPECT_EQ(lf.lfHeight, -20);
  EXPECT_NE(lf.lfItalic, 0);
}

TEST_F(OptionsFormTest, HotKeyIsRegisteredAgainOnlyWhenItChanged) {
  ASSERT_TRUE(test::WriteFileBytes(IniPath(), "[Window]\r\nActiveHotKey=49238\r\n"));  // Ctrl+Alt+V
  auto form = MakeForm();
  ASSERT_EQ(form->settings().ActiveHotKey, 0xC056);

  // The registration is withdrawn behind the dialog's back; changing other
  // settings must not make it again.
  ASSERT_TRUE(RunOptions(*form, [&](TZKOptionsForm& f) {
    EXPECT_TRUE(form->hot_key()->UnregisterHotKeyId(1));
    f.BetterCheckBox.SetChecked(true);
    f.Click(f.OKButton);
  }));
  ASSERT_TRUE(RegisterHotKey(nullptr, 0x7101, MOD_CONTROL | MOD_ALT, 'V'));
  UnregisterHotKey(nullptr, 0x7101);

  // A new key is registered.
  ASSERT_TRUE(RunOptions(*form, [&](TZKOptionsForm& f) {
    f.UserActiveHotKey.SetValue(HotKeyFieldFromShortcut(0x4000 | 0x2000 | VK_F12));
    f.Click(f.OKButton);
  }));
  EXPECT_EQ(form->settings().ActiveHotKey, 0x6000 | VK_F12);
  EXPECT_FALSE(RegisterHotKey(nullptr, 0x7102, MOD_CONTROL | MOD_SHIFT, VK_F12));

  // No key withdraws it.
  ASSERT_TRUE(RunOptions(*form, [&](TZKOptionsForm& f) {
    f.UserActiveHotKey.SetValue(0);
    f.Click(f.OKButton);
  }));
  EXPECT_EQ(form->settings().ActiveHotKey, 0);
  EXPECT_TRUE(RegisterHotKey(nullptr, 0x7103, MOD_CONTROL | MOD_SHIFT, VK_F12));
  UnregisterHotKey(nullptr, 0x7103);
}

TEST_F(OptionsFormTest, AlwaysOnTopIsLeftWhileTheDialogIsOpen) {
  auto form = MakeForm();
  form->actions[CommandId::TopMostAction].Execute();
  auto top_most = [&] { return (GetWindowLongPtrW(form->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
  ASSERT_TRUE(top_most());
  for (bool ok : {true, false}) {
    ASSERT_TRUE(RunOptions(*form, [&](TZKOptionsForm& f) {
      EXPECT_FALSE(top_most());
      EXPECT_FALSE(form->settings().TopMost);
      EXPECT_FALSE(IsWindowEnabled(form->hwnd()));  // modal
      f.Click(ok ? f.OKButton : f.CancelButton);
    }));
    EXPECT_TRUE(top_most());
    EXPECT_TRUE(form->settings().TopMost);
    EXPECT_TRUE(form->actions[CommandId::TopMostAction].checked);
    EXPECT_TRUE(IsWindowEnabled(form->hwnd()));
  }
}

TEST_F(OptionsFormTest, ShiftOpensTheSettingsFileUnlessCtrlIsHeld) {
  auto form = MakeForm();
  std::vector<std::u16string> opened;
  services_->open_settings_file = [&](const std::u16string& path) { opened.push_back(path); };
  int shown = 0;
  services_->options_form_shown = [&](TZKOptionsForm& f) {
    ++shown;
    f.Click(f.CancelButton);
  };
  {
    test::HeldKeys shift({VK_SHIFT});
    form->actions[CommandId::OptionsAction].Execute();
  }
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], u"\"" + IniPath() + u"\"");
  EXPECT_EQ(shown, 0);
  {
    test::HeldKeys both({VK_SHIFT, VK_CONTROL});
    form->actions[CommandId::OptionsAction].Execute();
  }
  EXPECT_EQ(shown, 1);
  // Ctrl+O, the command's key, always opens the dialog.
  EXPECT_TRUE(PressShortcut(*form, {VK_CONTROL}, 'O'));
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(opened.size(), 1u);
}

TEST_F(OptionsFormTest, KeysSwitchPages) {
  auto form = MakeForm();
  // Posted, so that the dialog's own loop takes them as typed keys.
  ASSERT_TRUE(RunOptions(*form, [&](TZKOptionsForm& f) {
    test::HoldKeys({VK_CONTROL});  // until the run ends
    PostMessageW(f.PageControl.hwnd(), WM_KEYDOWN, VK_TAB, 0);
    PostMessageW(f.PageControl.hwnd(), WM_KEYDOWN, VK_TAB, 0);
    PostMessageW(f.hwnd(), WM_COMMAND, IDOK, 0);
  }));
  EXPECT_EQ(form->actions[CommandId::OptionsAction].tag, kImagePage);  // Main, Text, Image

  ASSERT_TRUE(RunOptions(*form, [&](TZKOptionsForm& f) {
    PostMessageW(f.PageControl.hwnd(), WM_SYSCHAR, 'p', 0);  // Alt+P: "&Programs"
    PostMessageW(f.hwnd(), WM_COMMAND, IDOK, 0);
  }));
  EXPECT_EQ(form->actions[CommandId::OptionsAction].tag, kProgramsPage);

  ASSERT_TRUE(RunOptions(*form, [&](TZKOptionsForm& f) {
    PostMessageW(f.PageControl.hwnd(), WM_SYSCHAR, 'm', 0);  // Alt+M: "&Main"
    PostMessageW(f.hwnd(), WM_COMMAND, IDOK, 0);
  }));
  EXPECT_EQ(form->actions[CommandId::OptionsAction].tag, kMainPage);
}

}  // namespace
}  // namespace zk
