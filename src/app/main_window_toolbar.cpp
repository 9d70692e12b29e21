// The toolbar: its buttons from the command table, the layout file, the
// customisation dialog, hiding near the top edge and its pop-up menu.
#include <windowsx.h>

#include "app/main_window.h"
#include "app/toolbar_pictures.h"
#include "base/text.h"
#include "base/win_files.h"
#include "base/win_text.h"

namespace zk {
namespace {

constexpr int kToolBarId = 120;
constexpr int kFirstToolCommand = 0x1000;  // + the command's place in the table
constexpr int kToolBarHeight = 42;
constexpr int kToolButtonSize = 40;
constexpr int kShowToolBarZone = 25;  // pixels from the top of the client area

}  // namespace

void TZKMainForm::CreateToolBar() {
  LargeImageList.reset(MakeToolbarImageList(32));
  SmallImageList.reset(MakeToolbarImageList(16));
  ActionToolBar.Create(wnd_, kToolBarId, LargeImageList.get(), kToolButtonSize);
}

void TZKMainForm::CreateToolBarMenu() {
  ActionToolBarPopupMenu = std::make_unique<PopupMenu>();
  auto action_item = [this](const char16_t* name, std::function<bool()> visible) {
    Action& a = actions[name];
    PopupMenu::Item& item = ActionToolBarPopupMenu->Add(ToWide(a.caption), [&a] { a.Execute(); });
    item.checked = [&a] {
      a.Update();
      return a.checked;
    };
    item.visible = std::move(visible);
  };
  auto on_first_button = [this] { return mouse_on_first_button_; };
  auto elsewhere = [this] { return !mouse_on_first_button_; };
  action_item(u"NotUsedInTrayAction", on_first_button);
  ActionToolBarPopupMenu->Add(L"ツールバーの設定..", [this] { N3Click(); }).visible = elsewhere;
  action_item(u"HideToolBarAction", elsewhere);
  ActionToolBarPopupMenu->Add(L"-", nullptr).visible = elsewhere;
  ActionToolBarPopupMenu->Add(std::wstring(kApplicationTitle) + L" について..", [this] { AboutMenClick(); }).visible =
      elsewhere;
}

int TZKMainForm::PlaceToolBar(int width) {
  if (!ActionToolBar.hwnd()) return 0;
  MoveWindow(ActionToolBar.hwnd(), 0, 0, width, kToolBarHeight, TRUE);
  return ActionToolBar.visible() ? kToolBarHeight : 0;
}

void TZKMainForm::ApplyToolbarLayout(const ToolbarLayout& layout) {
  std::vector<ToolBar::Button> buttons;
  const auto& all = actions.actions();
  for (const ToolbarItem& item : layout) {
    ToolBar::Button b;
    if (!item.separator()) {
      for (size_t i = 0; i < all.size(); ++i)
        if (all[i]->name == item.action) {
          b.command = kFirstToolCommand + static_cast<int>(i);
          b.caption = ToWide(all[i]->caption);
        }
      if (!b.command) continue;
      b.picture = item.picture;
    }
    b.hidden = !item.visible;
    buttons.push_back(b);
  }
  ActionToolBar.SetButtons(buttons);
  UpdateToolBar();
}

ToolbarLayout TZKMainForm::CurrentToolbarLayout() const {
  ToolbarLayout layout;
  const auto& all = actions.actions();
  for (const ToolBar::Button& b : ActionToolBar.Buttons()) {
    const size_t index = static_cast<size_t>(b.command - kFirstToolCommand);
    if (b.command == 0) layout.push_back({u"", -1, !b.hidden});
    else if (index < all.size()) layout.push_back({all[index]->name, b.picture, !b.hidden});
  }
  return layout;
}

void TZKMainForm::LoadToolbarLayout() {
  ToolbarLayout layout = DesignedToolbarLayout();
  if (::zk::FileExists(ToolbarIniName)) {
    std::optional<std::string> bytes = ReadWholeFile(ToolbarIniName);
    std::optional<ToolbarLayout> stored;
    if (bytes) {
      std::string_view text(*bytes);
      if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
      stored = ParseToolbarLayout(Utf8ToUtf16(text), [this](std::u16string_view name) {
        return actions.Find(name) != nullptr;
      });
    }
    if (stored) {
      layout = std::move(*stored);
    } else if (ShowMessageBox(L"ツールバーの設定ファイル " + ToWide(ToolbarIniName) +
                                  L" を読み込めませんでした。\r\n削除しますか?",
                              kApplicationTitle, MB_YESNO | MB_ICONWARNING) == IDYES) {
      DeleteFileW(W(ToolbarIniName));
    }
  }
  ApplyToolbarLayout(layout);
}

void TZKMainForm::SaveToolbarLayout() {
  const std::u16string text = SerializeToolbarLayout(CurrentToolbarLayout());
  WriteWholeFile(ToolbarIniName, "\xEF\xBB\xBF" + Utf16ToUtf8(text));
}

void TZKMainForm::UpdateToolBar() {
  const auto& all = actions.actions();
  for (size_t i = 0; i < all.size(); ++i)
    ActionToolBar.SetState(kFirstToolCommand + static_cast<int>(i), all[i]->enabled, all[i]->checked);
}

bool TZKMainForm::OnToolBarCommand(int command) {
  const size_t index = static_cast<size_t>(command - kFirstToolCommand);
  if (command < kFirstToolCommand || index >= actions.actions().size()) return false;
  actions.actions()[index]->Execute();
  return true;
}

bool TZKMainForm::OnToolBarNotify(NMHDR* header, LRESULT* result) {
  if (!ActionToolBar.hwnd()) return false;
  const auto& all = actions.actions();
  if (header->code == TTN_GETDISPINFOW) {
    const size_t index = header->idFrom - kFirstToolCommand;
    if (header->idFrom < kFirstToolCommand || index >= all.size()) return false;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    // A hint "short|long" shows its short part.
    const std::u16string& hint = all[index]->hint;
    const std::u16string tip = hint.substr(0, hint.find(u'|'));
    tool_tip_text_ = ToWide(tip.empty() ? all[index]->caption : tip);
    info->lpszText = tool_tip_text_.data();
    *result = 0;
    return true;
  }
  if (header->hwndFrom != ActionToolBar.hwnd()) return false;
  switch (header->code) {
    case TBN_QUERYINSERT:
    case TBN_QUERYDELETE:
      *result = TRUE;
      return true;
    case TBN_GETBUTTONINFOW: {
      // The buttons the customisation dialog offers: every command of the designed toolbar.
      auto* info = reinterpret_cast<NMTOOLBARW*>(header);
      std::vector<ToolbarItem> palette;
      for (const ToolbarItem& item : DesignedToolbarLayout())
        if (!item.separator()) palette.push_back(item);
      if (info->iItem < 0 || static_cast<size_t>(info->iItem) >= palette.size()) {
        *result = FALSE;
        return true;
      }
      const ToolbarItem& item = palette[static_cast<size_t>(info->iItem)];
      for (size_t i = 0; i < all.size(); ++i)
        if (all[i]->name == item.action) {
          info->tbButton = {};
          info->tbButton.iBitmap = item.picture;
          info->tbButton.idCommand = kFirstToolCommand + static_cast<int>(i);
          info->tbButton.fsState = TBSTATE_ENABLED;
          info->tbButton.fsStyle = BTNS_BUTTON;
          if (info->pszText && info->cchText > 0) lstrcpynW(info->pszText, W(all[i]->caption), info->cchText);
        }
      *result = TRUE;
      return true;
    }
    case TBN_RESET:
      ApplyToolbarLayout(DesignedToolbarLayout());
      *result = 0;
      return true;
    case TBN_TOOLBARCHANGE:
      UpdateToolBar();
      *result = 0;
      return true;
    case NM_RCLICK: {
      POINT at;
      GetCursorPos(&at);
      ActionToolBarPopupMenuPopup();
      ActionToolBarPopupMenu->Popup(at, wnd_);
      *result = TRUE;
      return true;
    }
    case NM_CUSTOMDRAW: {
      auto* draw = reinterpret_cast<NMTBCUSTOMDRAW*>(header);
      if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
        // The toolbar has the menu bar's colour.
        RECT all_area;
        GetClientRect(ActionToolBar.hwnd(), &all_area);
        FillRect(draw->nmcd.hdc, &all_area, GetSysColorBrush(COLOR_MENUBAR));
      }
      *result = CDRF_DODEFAULT;
      return true;
    }
  }
  return false;
}

void TZKMainForm::ActionToolBarPopupMenuPopup() {
  // The first button's own size, placed at the client area's origin.
  const RECT first = ActionToolBar.ButtonRect(0);
  const RECT zone{0, 0, first.right - first.left, first.bottom - first.top};
  mouse_on_first_button_ = PtInRect(&zone, MousePoint) != FALSE;
}

void TZKMainForm::N3Click() { ActionToolBar.Customize(); }

void TZKMainForm::HideToolBarActionExecute(Action& action) {
  action.checked = !action.checked;
  settings.HideToolBar = action.checked;
}

bool TZKMainForm::ApplicationEvents1Message(const MSG& msg) {
  if (msg.message != WM_MOUSEMOVE || !form_created_ || !wnd_) return false;
  if (msg.hwnd != wnd_ && !IsChild(wnd_, msg.hwnd)) return false;
  POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  MapWindowPoints(msg.hwnd, wnd_, &at, 1);
  MousePoint = at;
  if (ActionToolBar.visible() && !settings.HideToolBar) return false;
  const bool show = at.y < kShowToolBarZone;
  if (show != ActionToolBar.visible()) {
    ActionToolBar.SetVisible(show);
    OnSize();
  }
  return true;
}

}  // namespace zk
