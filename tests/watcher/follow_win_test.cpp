// The viewer following the stand-in search window end to end: a main window
// in this process, the stand-in in a process of its own, the 100 ms poll
// running on this thread's message loop.
#include <windows.h>
#include <richedit.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/window/main_window.h"
#include "base/text.h"
#include "base/win_text.h"
#include "support/key_press.h"
#include "support/main_window_fixture.h"
#include "watcher/search_peer.h"

namespace zk {
namespace {

using test::PumpFor;
using test::PumpUntil;
using test::SearchPeer;

class FollowTest : public test::MainWindowFixture {
 protected:
  void SetUp() override {
    // The files the stand-in lists, in its order: each folder's entries
    // sorted, a sub-folder followed by its contents.
    ASSERT_TRUE(test::WriteFileBytes(files_.Child(L"a_empty.dat"), ""));
    ASSERT_TRUE(CreateDirectoryW((files_.path() / L"b_folder").c_str(), nullptr));
    ASSERT_TRUE(test::WriteFileBytes(files_.Child(L"b_folder\\inner.txt"), "inner text\r\n"));
    ASSERT_TRUE(test::WriteFileBytes(files_.Child(L"c_text.txt"), "some text\r\n"));
    rows_ = {files_.Child(L"a_empty.dat"), files_.Child(L"b_folder"), files_.Child(L"b_folder\\inner.txt"),
             files_.Child(L"c_text.txt")};
  }

  // The first paint switches the watcher on; the window may stay hidden.
  static void Watch(TZKMainForm& form) {
    SendMessageW(form.hwnd(), WM_PAINT, 0, 0);
    ASSERT_TRUE(form.watching());
  }

  // Waits until the viewer shows `path`, and checks that caption and view
  // follow: empty files and folders get the summary picture with their word,
  // texts the text page.
  static void ExpectShown(TZKMainForm& form, const std::u16string& path, zk::ViewFileType kind,
                          const std::u16string& status = u"") {
    ASSERT_TRUE(PumpUntil([&] { return form.SelectedFileName == path; })) << Utf16ToUtf8(path);
    EXPECT_EQ(WindowText(form.hwnd()), path + u" - Zarvik");
    EXPECT_EQ(form.ViewFileType, kind);
    if (!status.empty()) {
      EXPECT_EQ(form.Status(0), status);
    }
    EXPECT_EQ(form.actions[CommandId::FindEverythingAction].hint, u"Everything 監視\rEverything is Alive");
  }

  std::vector<std::wstring> PeerArgs(std::vector<std::wstring> extra = {}) const {
    std::vector<std::wstring> args{files_.path().wstring()};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
  }

  test::TempDir files_;
  std::vector<std::u16string> rows_;
};

TEST_F(FollowTest, ViewerFollowsTheSelectionWhereverItIsMoved) {
  auto form = MakeForm();
  // A row without a backslash at the end of the list.
  SearchPeer peer(PeerArgs({L"just a name"}));
  ASSERT_TRUE(peer.started());
  Watch(*form);

  // Nothing selected: the stand-in shows a count, the viewer stays empty.
  ASSERT_TRUE(PumpUntil([&] { return form->EverythingHandle == peer.window(); }));
  EXPECT_EQ(form->everything_status_handle(), peer.status());
  PumpFor(300);
  EXPECT_EQ(form->SelectedFileName, u"");
  EXPECT_EQ(WindowText(form->hwnd()), u"Zarvik");

  // Keys in the stand-in's list.
  peer.Key(VK_DOWN);
  ExpectShown(*form, rows_[0], vfBinary, u"Zero File");
  peer.Key(VK_DOWN);
  ExpectShown(*form, rows_[1], vfBinary, u"Directry");
  peer.Key(VK_HOME);
  ExpectShown(*form, rows_[0], vfBinary, u"Zero File");

  // From the viewer.
  form->StepEverythingSelection(1);
  ExpectShown(*form, rows_[1], vfBinary, u"Directry");
  ASSERT_TRUE(form->actions[CommandId::NextItemAction].Execute());
  ExpectShown(*form, rows_[2], vfText);
  ASSERT_TRUE(form->actions[CommandId::PreItemAction].Execute());
  ExpectShown(*form, rows_[1], vfBinary, u"Directry");
  form->StepEverythingSelection(999);
  ExpectShown(*form, rows_[0], vfBinary, u"Zero File");
  form->StepEverythingSelection(0);  // End: the row without a backslash
  ASSERT_TRUE(PumpUntil([&] { return peer.StatusText() == L"just a name"; }));

  // A selection without a backslash changes nothing, but the archive path
  // kept for the archive command is forgotten.
  form->archive_page().browser().ListForDispatch(u"C:\\some.zip");
  PumpFor(400);
  EXPECT_EQ(form->SelectedFileName, rows_[0]);
  EXPECT_EQ(WindowText(form->hwnd()), rows_[0] + u" - Zarvik");
  EXPECT_EQ(form->archive_page().browser().listed_archive(), u"");

  peer.Key(VK_UP);
  ExpectShown(*form, rows_[3], vfText);
  peer.Key(VK_END);
  PumpFor(300);
  EXPECT_EQ(form->SelectedFileName, rows_[3]);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(FollowTest, AZoomLastsOnlyForTheTextItWasMadeOn) {
  auto form = MakeForm();
  test::ShowForKeys(*form);
  form->actions[CommandId::FindEverythingAction].checked = true;  // watching again
  ASSERT_TRUE(form->watching());
  SearchPeer peer(PeerArgs({L"--select", L"2"}));
  ASSERT_TRUE(peer.started());
  ExpectShown(*form, rows_[2], vfText);
  auto twips = [&] {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    SendMessageW(form->text_page().RichEditURL().hwnd(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return cf.yHeight;
  };
  const LONG configured = twips();
  test::PressKey(*form, {}, VK_ADD);
  test::PressKey(*form, {}, VK_ADD);
  ASSERT_GT(twips(), configured);
  peer.Key(VK_DOWN);
  ExpectShown(*form, rows_[3], vfText);
  EXPECT_EQ(twips(), configured);
}

// True when `a` lies above `b` among the top-level windows.
bool Above(HWND a, HWND b) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == a) return true;
    if (w == b) return false;
  }
  return false;
}

TEST_F(FollowTest, ViewerRisesAboveOtherWindowsWithEachNewFile) {
  auto form = MakeForm();
  Watch(*form);
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_TRUE(Above(other, form->hwnd()));
  SearchPeer peer(PeerArgs({L"--select", L"0"}));
  ASSERT_TRUE(peer.started());
  ExpectShown(*form, rows_[0], vfBinary, u"Zero File");
  EXPECT_TRUE(Above(form->hwnd(), other));
  // It rose through the top-most band without staying there.
  EXPECT_FALSE(GetWindowLongW(form->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  DestroyWindow(other);
}

TEST_F(FollowTest, SamePathAfterARestartIsNotShownAgain) {
  auto form = MakeForm();
  Watch(*form);
  {
    SearchPeer peer(PeerArgs({L"--select", L"1"}));
    ASSERT_TRUE(peer.started());
    ExpectShown(*form, rows_[1], vfBinary, u"Directry");
  }
  ASSERT_TRUE(PumpUntil([&] { return form->EverythingHandle == nullptr; }));
  EXPECT_EQ(form->actions[CommandId::FindEverythingAction].hint, u"Everything 監視\rEverything Not found");
  // The view is kept while the search window is away (ClearNoEverything off).
  EXPECT_EQ(form->Status(0), u"Directry");

  form->SetStatus(u"still the old view");
  SearchPeer again(PeerArgs({L"--select", L"1"}));
  ASSERT_TRUE(again.started());
  ASSERT_TRUE(PumpUntil([&] { return form->EverythingHandle == again.window(); }));
  PumpFor(400);
  EXPECT_EQ(form->SelectedFileName, rows_[1]);
  EXPECT_EQ(form->Status(0), u"still the old view");

  again.Key(VK_DOWN);
  ExpectShown(*form, rows_[2], vfText);
}

TEST_F(FollowTest, AbsenceClearsTheViewWhenAskedTo) {
  auto form = MakeForm();
  test::ChangeSettings(*form, [&](Settings& s) { s.ClearNoEverything = true; });
  Watch(*form);
  {
    SearchPeer peer(PeerArgs({L"--select", L"0"}));
    ASSERT_TRUE(peer.started());
    ExpectShown(*form, rows_[0], vfBinary, u"Zero File");
  }
  ASSERT_TRUE(PumpUntil([&] { return form->ViewFileType == vfTemp; }));
  EXPECT_EQ(WindowText(form->hwnd()), u"Zarvik");
  // The path is remembered all the same.
  EXPECT_EQ(form->SelectedFileName, rows_[0]);
}

TEST_F(FollowTest, ViewerRetiresToTheTrayWhileTheSearchWindowIsAway) {
  auto form = MakeForm();
  test::ChangeSettings(*form, [&](Settings& s) { s.NotUsedInTray = true; });
  Watch(*form);
  auto peer = std::make_unique<SearchPeer>(PeerArgs({L"--select", L"0"}));
  ASSERT_TRUE(peer->started());
  ExpectShown(*form, rows_[0], vfBinary, u"Zero File");
  EXPECT_FALSE(form->task_tray()->Registered());

  peer.reset();
  ASSERT_TRUE(PumpUntil([&] { return form->task_tray()->Registered(); }));
  EXPECT_FALSE(IsWindowVisible(form->hwnd()));

  // Back with the search window, in the normal state.
  peer = std::make_unique<SearchPeer>(PeerArgs({L"--select", L"2"}));
  ASSERT_TRUE(peer->started());
  ASSERT_TRUE(PumpUntil([&] { return !form->task_tray()->Registered(); }));
  EXPECT_TRUE(IsWindowVisible(form->hwnd()));
  EXPECT_FALSE(IsZoomed(form->hwnd()) || IsIconic(form->hwnd()));
  ExpectShown(*form, rows_[2], vfText);

  // The tray menu: "やっぱり隠さないで" turns the retiring off for good.
  ASSERT_EQ(form->task_tray_popup_menu()->items().size(), 3u);
  EXPECT_EQ(form->task_tray_popup_menu()->items()[0].caption, L"Everything 起動");
  EXPECT_EQ(form->task_tray_popup_menu()->items()[1].caption, L"やっぱり隠さないで");
  EXPECT_EQ(form->task_tray_popup_menu()->items()[2].caption, L"終了");
  ASSERT_TRUE(form->task_tray_popup_menu()->Click(1));
  EXPECT_FALSE(form->settings().NotUsedInTray);
  peer.reset();
  ASSERT_TRUE(PumpUntil([&] { return form->EverythingHandle == nullptr; }));
  test::PumpFor(300);
  EXPECT_FALSE(form->task_tray()->Registered());
  EXPECT_TRUE(IsWindowVisible(form->hwnd()));

  // "終了" closes the viewer through its ordinary shut-down.
  ASSERT_TRUE(form->task_tray_popup_menu()->Click(2));
  ASSERT_TRUE(PumpUntil([&] { return form->hwnd() == nullptr; }));
  EXPECT_NE(test::ReadFileBytes(IniPath()).find("NotUsedInTray=0"), std::string::npos);
}

TEST_F(FollowTest, SearchWindowWithoutStatusBarIsReportedOncePerSpell) {
  auto form = MakeForm();
  Watch(*form);
  {
    SearchPeer peer(PeerArgs({L"--no-status"}));
    ASSERT_TRUE(peer.started());
    ASSERT_TRUE(PumpUntil([&] { return form->EverythingHandle == peer.window(); }));
    PumpFor(500);  // some five polls
  }
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, L"Target Statusbar is not found");
  EXPECT_EQ(form->SelectedFileName, u"");

  ASSERT_TRUE(PumpUntil([&] { return form->EverythingHandle == nullptr; }));
  SearchPeer again(PeerArgs({L"--no-status"}));
  ASSERT_TRUE(again.started());
  ASSERT_TRUE(PumpUntil([&] { return boxes_.size() == 2; }));
}

TEST_F(FollowTest, SearchWindowWithAnotherCaptionIsIgnored) {
  auto form = MakeForm();
  Watch(*form);
  SearchPeer peer(PeerArgs({L"--select", L"0", L"--caption", L"Search"}));
  ASSERT_TRUE(peer.started());
  PumpFor(400);
  EXPECT_EQ(form->EverythingHandle, nullptr);
  EXPECT_EQ(form->SelectedFileName, u"");
  EXPECT_EQ(form->actions[CommandId::FindEverythingAction].hint, u"Everything 監視\rEverything Not found");
}

TEST_F(FollowTest, FirstPaintSwitchesTheWatcherOnAndTheCommandOff) {
  auto form = MakeForm();
  Action& find = form->actions[CommandId::FindEverythingAction];
  EXPECT_FALSE(form->watching());
  form->Show();
  ASSERT_TRUE(PumpUntil([&] { return form->watching(); }));
  EXPECT_TRUE(find.checked);
  // Later paints leave it alone.
  InvalidateRect(form->hwnd(), nullptr, TRUE);
  UpdateWindow(form->hwnd());
  EXPECT_TRUE(find.checked);

  find.Execute();  // Ctrl+W
  EXPECT_FALSE(find.checked);
  EXPECT_FALSE(form->watching());
  EXPECT_EQ(find.hint, u"Everything 監視\rCheck Everything");
}

TEST_F(FollowTest, SearchWindowCommandsFollowItsPresence) {
  auto form = MakeForm();
  Action& show = form->actions[CommandId::ShowEverythingAction];
  Action& run = form->actions[CommandId::RunEverythingAction];
  show.Update();
  run.Update();
  EXPECT_FALSE(show.enabled);
  EXPECT_FALSE(run.enabled);  // no program to start

  // Started with "-e": the first poll that misses the search window starts it.
  test::ChangeSettings(*form, [&](Settings& s) { s.EverythingPath = FromWide(test::BinFolder() + L"\\search_window_peer.exe"); });
  form->RunEverythingAtStart = true;
  Watch(*form);
  ASSERT_TRUE(PumpUntil([&] { return form->EverythingHandle != nullptr; }, 15000));
  EXPECT_FALSE(form->RunEverythingAtStart);
  show.Update();
  EXPECT_TRUE(show.enabled);
  // Started with no arguments, it lists nothing.
  PumpFor(300);
  EXPECT_EQ(form->SelectedFileName, u"");

  // Esc twice quickly closes it.
  HWND started = form->EverythingHandle;
  ASSERT_TRUE(form->actions[CommandId::ClearAction].Execute());
  ASSERT_TRUE(form->actions[CommandId::ClearAction].Execute());
  ASSERT_TRUE(PumpUntil([&] { return !IsWindow(started); }));
}

// Esc pressed twice on the keyboard 150 ms apart closes the search window even
// when the first press's clear takes longer than the double-click time: the
// presses count, not when they are handled.
TEST_F(FollowTest, QuickSecondEscClosesTheSearchWindowAfterASlowClear) {
  auto form = MakeForm();
  SearchPeer peer(PeerArgs());
  ASSERT_TRUE(peer.started());
  Watch(*form);
  ASSERT_TRUE(PumpUntil([&] { return form->EverythingHandle == peer.window(); }));
  ASSERT_EQ(GetDoubleClickTime(), 500u);
  form->Show();
  SetForegroundWindow(form->hwnd());
  SetFocus(form->hwnd());
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == form->hwnd(); }));

  auto press = [] {
    INPUT keys[2] = {};
    for (INPUT& k : keys) {
      k.type = INPUT_KEYBOARD;
      k.ki.wVk = VK_ESCAPE;
    }
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInput(2, keys, sizeof(INPUT));
  };
  ASSERT_EQ(press(), 2u);
  Sleep(150);
  ASSERT_EQ(press(), 2u);

  // The program's own loop; the first Esc's handling is made slow.
  int escapes = 0;
  const DWORD start = GetTickCount();
  while (IsWindow(peer.window()) && GetTickCount() - start < 5000) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      const bool escape = msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE;
      if (!form->PreTranslateMessage(msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      if (escape && ++escapes == 1) Sleep(700);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  EXPECT_EQ(escapes, 2);
  EXPECT_FALSE(IsWindow(peer.window()));
}

}  // namespace
}  // namespace zk
