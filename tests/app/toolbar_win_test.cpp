// The toolbar of the real window: its designed buttons, the layout file, the
// button commands, its pop-up menu and hiding near the top edge.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/window/main_window.h"
#include "base/win_text.h"
#include "support/main_window_fixture.h"
#include "support/test_files.h"

namespace zk {
namespace {

using ToolbarTest = test::MainWindowFixture;

MSG MouseMove(HWND wnd, int x, int y) {
  MSG m{};
  m.hwnd = wnd;
  m.message = WM_MOUSEMOVE;
  m.lParam = MAKELPARAM(x, y);
  return m;
}

TEST_F(ToolbarTest, DesignedButtonsRunTheirCommands) {
  auto form = MakeForm();
  const ToolbarLayout layout = form->CurrentToolbarLayout();
  EXPECT_EQ(layout, DesignedToolbarLayout());
  EXPECT_EQ(form->tool_bar().ButtonCount(), 17);
  RECT page;
  GetWindowRect(form->page_control().hwnd(), &page);
  MapWindowPoints(nullptr, form->hwnd(), reinterpret_cast<POINT*>(&page), 2);
  EXPECT_EQ(page.top, 42);  // the pages start below the toolbar

  // The always-on-top button runs its command, which checks itself.
  const int top_most = 0x1000 + static_cast<int>(CommandId::TopMostAction);
  SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(top_most, BN_CLICKED),
               reinterpret_cast<LPARAM>(form->tool_bar().hwnd()));
  EXPECT_TRUE(form->settings().TopMost);
  form->Idle();
  EXPECT_TRUE(SendMessageW(form->tool_bar().hwnd(), TB_ISBUTTONCHECKED, top_most, 0));
  form->actions[CommandId::TopMostAction].Execute();
}

TEST_F(ToolbarTest, LayoutIsKeptAndABrokenFileIsOfferedForDeletion) {
  {
    auto form = MakeForm();
    ToolbarLayout layout = form->CurrentToolbarLayout();
    layout.erase(layout.begin() + 4);  // no smooth-reduction button
    form->ApplyToolbarLayout(layout);
    form->Close();
  }
  auto form = MakeForm();
  EXPECT_EQ(form->tool_bar().ButtonCount(), 16);
  EXPECT_EQ(form->CurrentToolbarLayout()[4].command, CommandId::ZoomUpAction);
  form->Close();
  form.reset();

  const std::u16string file = dir_.Child(L"zarvik.ToolBarDat");
  ASSERT_TRUE(test::WriteFileBytes(file, "not a toolbar"));
  boxes_.clear();
  auto again = MakeForm();  // the test's message box answers "yes"
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_NE(boxes_[0].text.find(L"削除しますか"), std::wstring::npos);
  EXPECT_EQ(again->CurrentToolbarLayout(), DesignedToolbarLayout());
  EXPECT_FALSE(GetFileAttributesW(W(file)) != INVALID_FILE_ATTRIBUTES &&
               test::ReadFileBytes(file) == "not a toolbar");
}

TEST_F(ToolbarTest, MenuOffersOneEntryOverTheFirstButtonAndFourElsewhere) {
  auto form = MakeForm();
  form->ActionToolBarPopupMenuPopup({5, 5});
  EXPECT_EQ(form->tool_bar_popup_menu()->VisibleCaptions(),
            (std::vector<std::wstring>{L"Everythin がいない時はタスクトレイ"}));
  form->ActionToolBarPopupMenuPopup({200, 5});
  EXPECT_EQ(form->tool_bar_popup_menu()->VisibleCaptions(),
            (std::vector<std::wstring>{L"ツールバーの設定..", L"ツールバーを隠す", L"-", L"Zarvik について.."}));
}

TEST_F(ToolbarTest, HiddenToolbarShowsNearTheTopAndLetsTheMovesThrough) {
  auto form = MakeForm();
  HWND image = form->image_page().ScrollBox().hwnd();
  form->actions[CommandId::HideToolBarAction].Execute();
  EXPECT_TRUE(form->settings().HideToolBar);
  // Every move goes on to its control (panning, text selection) while the
  // toolbar follows the pointer's height.
  EXPECT_FALSE(form->PreTranslateMessage(MouseMove(image, 100, 200)));
  EXPECT_FALSE(form->tool_bar().visible());
  EXPECT_FALSE(form->PreTranslateMessage(MouseMove(form->hwnd(), 100, 24)));
  EXPECT_TRUE(form->tool_bar().visible());
  EXPECT_FALSE(form->PreTranslateMessage(MouseMove(form->hwnd(), 100, 25)));
  EXPECT_FALSE(form->tool_bar().visible());
  // Unchecked again: it shows at the top once and then stays.
  form->actions[CommandId::HideToolBarAction].Execute();
  form->PreTranslateMessage(MouseMove(form->hwnd(), 100, 5));
  form->PreTranslateMessage(MouseMove(form->hwnd(), 100, 300));
  EXPECT_TRUE(form->tool_bar().visible());
}

// Closes the customisation dialog once it is up; remembers what it saw.
bool g_customize_seen = false;
void CALLBACK CloseCustomizeDialog(HWND, UINT, UINT_PTR timer, DWORD) {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND wnd, LPARAM) -> BOOL {
        wchar_t cls[16] = {};
        GetClassNameW(wnd, cls, 16);
        if (std::wstring(cls) == L"#32770" && IsWindowVisible(wnd)) {
          g_customize_seen = true;
          PostMessageW(wnd, WM_COMMAND, IDCANCEL, 0);
          return FALSE;
        }
        return TRUE;
      },
      0);
  if (g_customize_seen) KillTimer(nullptr, timer);
}

TEST_F(ToolbarTest, CustomisationDialogOpensAndCancelKeepsTheLayout) {
  auto form = MakeForm();
  g_customize_seen = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 200, CloseCustomizeDialog);
  form->N3Click();  // returns when the dialog is closed
  KillTimer(nullptr, timer);
  EXPECT_TRUE(g_customize_seen);
  EXPECT_EQ(form->CurrentToolbarLayout(), DesignedToolbarLayout());

  // What the dialog offers: every command that has a handler, grouped by
  // category, listed with the category and added with its own caption.
  std::vector<std::wstring> listed;
  for (int i = 0;; ++i) {
    wchar_t text[128] = {};
    NMTOOLBARW info{};
    info.hdr = {form->tool_bar().hwnd(), 0, static_cast<UINT>(TBN_GETBUTTONINFOW)};
    info.iItem = i;
    info.pszText = text;
    info.cchText = 128;
    if (!SendMessageW(form->hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info))) break;
    const auto id = static_cast<CommandId>(info.tbButton.idCommand - 0x1000);
    EXPECT_TRUE(form->actions[id].on_execute) << i;
    if (id == CommandId::ZoomUpAction) {
      EXPECT_EQ(reinterpret_cast<const wchar_t*>(info.tbButton.iString), std::wstring(L"大(&U)"));
    }
    listed.push_back(text);
  }
  ASSERT_GE(listed.size(), 20u);
  EXPECT_EQ(listed.front(), L"HowView: クリア(&Z)");
  EXPECT_NE(std::find(listed.begin(), listed.end(), L"Serch: Google で検索"), listed.end());
  EXPECT_EQ(listed.back(), L"外部ビュー(&V)");  // the last command without a category
}

}  // namespace
}  // namespace zk
