// The commands' enable rules in each kind of view, and the picture's pop-up
// menu, on the real window.
#include <gtest/gtest.h>

#include <map>

#include "app/window/main_window.h"
#include "base/win_files.h"
#include "support/main_window_fixture.h"
#include "support/picture_files.h"
#include "support/test_files.h"

namespace zk {
namespace {

using CommandsTest = test::MainWindowFixture;

using enum CommandId;

std::map<CommandId, bool> Enabled(TZKMainForm& form) {
  form.Idle();
  std::map<CommandId, bool> states;
  for (const Action& a : form.actions) states[form.actions.IdOf(a)] = a.enabled;
  return states;
}

TEST_F(CommandsTest, EnableRulesFollowTheViewKind) {
  auto form = MakeForm();
  const std::u16string picture = dir_.Child(L"p.bmp"), text = dir_.Child(L"t.txt"), empty = dir_.Child(L"e.txt");
  ASSERT_TRUE(test::WriteFileBytes(picture, test::PlainBitmapFile(20, 10)));
  ASSERT_TRUE(test::WriteFileBytes(text, "words\r\n"));
  ASSERT_TRUE(test::WriteFileBytes(empty, ""));

  auto none = Enabled(*form);  // nothing shown yet
  for (CommandId n : {ZoomUpAction, ZoomFitAction, RealSizeAction, SaveAction, CopyAction,
                            CopyImageAction, SellectAllAction, OutViewAction, ReloadAction})
    EXPECT_FALSE(none[n]) << Utf16ToUtf8(std::u16string(InfoOf(n).name));
  for (CommandId n : {ClearAction, OptionsAction, TopMostAction, TestAction, NextItemAction})
    EXPECT_TRUE(none[n]) << Utf16ToUtf8(std::u16string(InfoOf(n).name));

  Show(*form, picture);
  auto image = Enabled(*form);
  for (CommandId n : {ZoomUpAction, ZoomOutAction, ZoomFitAction, RealSizeAction, SaveAction,
                            CopyAction, CopyImageAction, OutViewAction, ReloadAction})
    EXPECT_TRUE(image[n]) << Utf16ToUtf8(std::u16string(InfoOf(n).name));
  EXPECT_FALSE(image[SellectAllAction]);
  EXPECT_FALSE(image[GoogleAction]);

  Show(*form, text);
  auto words = Enabled(*form);
  for (CommandId n : {ZoomUpAction, ZoomOutAction, SellectAllAction, OutViewAction})
    EXPECT_TRUE(words[n]) << Utf16ToUtf8(std::u16string(InfoOf(n).name));
  for (CommandId n : {ZoomFitAction, RealSizeAction, SaveAction, CopyAction, GoogleAction})
    EXPECT_FALSE(words[n]) << Utf16ToUtf8(std::u16string(InfoOf(n).name));  // no selection yet: nothing to copy or look up
  form->actions[CommandId::SellectAllAction].Execute();
  auto selected = Enabled(*form);
  EXPECT_TRUE(selected[CopyAction]);
  EXPECT_TRUE(selected[GoogleAction]);

  Show(*form, empty);  // the binary view
  auto binary = Enabled(*form);
  for (CommandId n : {ZoomUpAction, ZoomFitAction, SaveAction, CopyAction, OutViewAction})
    EXPECT_FALSE(binary[n]) << Utf16ToUtf8(std::u16string(InfoOf(n).name));
}

// The rules run after every message; the files they depend on are looked at
// when the view changes and once a second, never by an idle pass.
TEST_F(CommandsTest, IdlePassesAskTheFileSystemNothing) {
  auto form = MakeForm();
  const std::u16string picture = dir_.Child(L"p.bmp");
  ASSERT_TRUE(test::WriteFileBytes(picture, test::PlainBitmapFile(20, 10)));
  int looks = 0;
  services_->path_exists = [&](const std::u16string& path, bool folder) {
    ++looks;
    return folder ? ::zk::FolderExists(path) : ::zk::FileExists(path);
  };
  Show(*form, picture);
  EXPECT_GT(looks, 0);
  looks = 0;
  // Passes over more than the facts' second, without the messages that refresh them.
  for (int i = 0; i < 60; ++i) {
    form->Idle();
    Sleep(25);
  }
  EXPECT_EQ(looks, 0);
  EXPECT_TRUE(form->actions[ReloadAction].enabled);
}

TEST_F(CommandsTest, ReloadShowsALargeFileWholeAndTheNextIsLimitedAgain) {
  auto form = MakeForm();
  const std::u16string big = dir_.Child(L"big.bmp"), next = dir_.Child(L"next.bmp");
  const std::string bytes = test::PlainBitmapFile(3000, 3400);  // about 30 MB
  ASSERT_GT(bytes.size(), 30000000u);
  ASSERT_TRUE(test::WriteFileBytes(big, bytes));
  ASSERT_TRUE(test::WriteFileBytes(next, bytes));
  form->ClearView(true);
  form->SelectedFileName = big;
  form->DispatchFile(big, false);
  EXPECT_EQ(form->ViewFileType, vfBinary);  // over the read limit
  form->actions[CommandId::ReloadAction].Execute();  // F5
  EXPECT_EQ(form->ViewFileType, vfImage);
  EXPECT_EQ(form->Status(0), u"3000 x 3400");
  EXPECT_EQ(form->settings().MaxReadByte, 20000000);
  form->ClearView(true);
  form->SelectedFileName = next;
  form->DispatchFile(next, false);
  EXPECT_EQ(form->ViewFileType, vfBinary);
}

TEST_F(CommandsTest, PictureMenuShowsTheCacheSubmenuOnlyWithACacheFolder) {
  auto form = MakeForm();
  test::ChangeSettings(*form, [&](Settings& s) { s.CacheFolder = dir_.Child(L"no such folder"); });
  form->ImagePopupMenuPopup();
  auto shown = form->image_popup_menu()->VisibleCaptions();
  EXPECT_EQ(shown, (std::vector<std::wstring>{L"画像をクリップボードにコピー(&C)", L"画像に名前をつけて保存(A).."}));
  test::ChangeSettings(*form, [&](Settings& s) { s.CacheFolder = dir_.u16(); });
  form->ImagePopupMenuPopup();
  shown = form->image_popup_menu()->VisibleCaptions();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[2], L"キャッシュ操作(&S)");
  EXPECT_EQ(form->cache_menu()->VisibleCaptions().size(), 3u);
}

}  // namespace
}  // namespace zk
