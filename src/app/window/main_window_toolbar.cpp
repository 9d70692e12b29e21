// The toolbar: its buttons from the command table, the layout file, the
// customisation dialog, hiding near the top edge and its pop-up menu.
#include <windowsx.h>

#include "app/window/main_window.h"
#include "app/window/toolbar_pictures.h"
#include "base/dpi_sizes.h"
#include "base/text.h"
#include "base/win_files.h"
#include "base/win_text.h"

namespace zk {
namespace {

constexpr int kToolBarId = 120;
constexpr int kFirstToolCommand = 0x1000;  // + the command's place in the table
// At 96 DPI; scaled to the window's DPI.
constexpr int kToolBarHeight = 42;
constexpr int kToolButtonSize = 40;
constexpr int kToolPictureSize = 32;
constexpr int kMenuPictureSize = 16;
constexpr int kShowToolBarZone = 25;  // pixels from the top of the client area

}  // namespace

void TZKMainForm::CreateToolBar() {
  LargeImageList.reset(MakeToolbarImageList(PictureSizeForDpi(kToolPictureSize, dpi_)));
  SmallImageList.reset(MakeToolbarImageList(PictureSizeForDpi(kMenuPictureSize, dpi_)));
  ActionToolBar.Create(wnd_, kToolBarId, LargeImageList.get(), Scaled(kToolButtonSize));
}

void TZKMainForm::ScaleToolBar() {
  // The toolbar takes the new pictures before the old ones are destroyed.
  UniqueResource<HIMAGELIST, ImageListTraits> large(MakeToolbarImageList(PictureSizeForDpi(kToolPictureSize, dpi_)));
  UniqueResource<HIMAGELIST, ImageListTraits> small(MakeToolbarImageList(PictureSizeForDpi(kMenuPictureSize, dpi_)));
  if (!large || !small) return;  // the old pictures stay
  ActionToolBar.SetPictures(large.get(), Scaled(kToolButtonSize));
  LargeImageList = std::move(large);
  SmallImageList = std::move(small);
}

void TZKMainForm::CreateToolPalette() {
  tool_palette_.clear();
  for (CommandId id : ToolbarPalette([this](CommandId c) { return actions[c].on_execute != nullptr; })) {
    PaletteEntry entry{ToolbarItemOf(id)};
    entry.caption = ToWide(entry.item.caption);
    const std::u16string_view category = InfoOf(id).category;
    entry.listed = category.empty() ? entry.caption : ToWide(std::u16string(category)) + L": " + entry.caption;
    tool_palette_.push_back(std::move(entry));
  }

}

void TZKMainForm::CreateToolBarMenu() {
  ActionToolBarPopupMenu = std::make_unique<PopupMenu>();
  auto action_item = [this](CommandId id, std::function<bool()> visible) {
    Action& a = actions[id];
    PopupMenu::Item& item = ActionToolBarPopupMenu->Add(ToWide(a.caption), [&a] { a.Execute(); });
    item.checked = [&a] {
      a.Update();
      return a.checked;
    };
    item.visible = std::move(visible);
  };
  auto on_first_button = [this] { return mouse_on_first_button_; };
  auto elsewhere = [this] { return !mouse_on_first_button_; };
  action_item(CommandId::NotUsedInTrayAction, on_first_button);
  ActionToolBarPopupMenu->Add(L"ツールバーの設定..", [this] { N3Click(); }).visible = elsewhere;
  action_item(CommandId::HideToolBarAction, elsewhere);
  ActionToolBarPopupMenu->Add(L"-", nullptr).visible = elsewhere;
  ActionToolBarPopupMenu->Add(std::wstring(kApplicationTitle) + L" について..", [this] { AboutMenClick(); }).visible =
      elsewhere;
}

int TZKMainForm::PlaceToolBar(int width) {
  if (!ActionToolBar.hwnd()) return 0;
  const int height = Scaled(kToolBarHeight);
  MoveWindow(ActionToolBar.hwnd(), 0, 0, width, height, TRUE);
  return ActionToolBar.visible() ? height : 0;
}

void TZKMainForm::ApplyToolbarLayout(const ToolbarLayout& layout) {
  std::vector<ToolBar::Button> buttons;
  for (const ToolbarItem& item : layout) {
    ToolBar::Button b;
    if (!item.separator()) {
      b.command = ToolCommandOf(*item.command);
      b.picture = item.picture;
      b.caption = ToWide(item.caption);
    }
    b.hidden = !item.visible;
    buttons.push_back(b);
  }
  ActionToolBar.SetButtons(buttons);
  UpdateToolBar();
}

ToolbarLayout TZKMainForm::CurrentToolbarLayout() const {
  ToolbarLayout layout;
  for (const ToolBar::Button& b : ActionToolBar.Buttons()) {
    if (b.command == 0) {
      layout.push_back({std::nullopt, -1, !b.hidden, {}});
    } else if (std::optional<CommandId> id = CommandOfTool(b.command)) {
      ToolbarItem item = ToolbarItemOf(*id);
      item.picture = b.picture;
      item.visible = !b.hidden;
      if (!b.caption.empty()) item.caption = FromWide(b.caption);
      layout.push_back(std::move(item));
    }
  }
  return layout;
}

void TZKMainForm::LoadToolbarLayout() {
  ToolbarLayout layout = DesignedToolbarLayout();
  if (::zk::FileExists(toolbar_ini_name_)) {
    std::optional<std::string> bytes = ReadWholeFile(toolbar_ini_name_);
    std::optional<ToolbarLayout> stored;
    if (bytes) {
      std::string_view text(*bytes);
      if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
      stored = ParseToolbarLayout(Utf8ToUtf16(text));
    }
    if (stored) {
      layout = std::move(*stored);
    } else if (ShowMessageBox(L"ツールバーの設定ファイル " + ToWide(toolbar_ini_name_) +
                                  L" を読み込めませんでした。\r\n削除しますか?",
                              kApplicationTitle, MB_YESNO | MB_ICONWARNING) == IDYES) {
      DeleteFileW(W(toolbar_ini_name_));
    }
  }
  ApplyToolbarLayout(layout);
}

void TZKMainForm::SaveToolbarLayout() {
  const std::u16string text = SerializeToolbarLayout(CurrentToolbarLayout());
  WriteWholeFile(toolbar_ini_name_, "\xEF\xBB\xBF" + Utf16ToUtf8(text));
}

int TZKMainForm::ToolCommandOf(CommandId id) { return kFirstToolCommand + static_cast<int>(id); }

std::optional<CommandId> TZKMainForm::CommandOfTool(UINT_PTR command) {
  if (command < kFirstToolCommand || command - kFirstToolCommand >= kCommandCount) return std::nullopt;
  return static_cast<CommandId>(command - kFirstToolCommand);
}

void TZKMainForm::UpdateToolBar() {
  for (const Action& a : actions) ActionToolBar.SetState(ToolCommandOf(actions.IdOf(a)), a.enabled, a.checked);
}

bool TZKMainForm::OnToolBarCommand(int command) {
  const std::optional<CommandId> id = CommandOfTool(static_cast<UINT_PTR>(command));
  if (!id) return false;
  actions[*id].Execute();
  return true;
}

bool TZKMainForm::OnToolBarNotify(NMHDR* header, LRESULT* result) {
  if (!ActionToolBar.hwnd()) return false;
  if (header->code == TTN_GETDISPINFOW) {
    const std::optional<CommandId> id = CommandOfTool(header->idFrom);
    if (!id) return false;
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(header);
    // A hint "short|long" shows its short part.
    const Action& action = actions[*id];
    const std::u16string tip = action.hint.substr(0, action.hint.find(u'|'));
    tool_tip_text_ = ToWide(tip.empty() ? action.caption : tip);
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
      // The buttons the customisation dialog offers: every command that has
      // a handler, grouped by category; the list shows the category first.
      auto* info = reinterpret_cast<NMTOOLBARW*>(header);
      if (info->iItem < 0 || static_cast<size_t>(info->iItem) >= tool_palette_.size()) {
        *result = FALSE;
        return true;
      }
      const PaletteEntry& entry = tool_palette_[static_cast<size_t>(info->iItem)];
      info->tbButton = {};
      info->tbButton.iBitmap = entry.item.picture;
      info->tbButton.idCommand = ToolCommandOf(*entry.item.command);
      info->tbButton.fsState = TBSTATE_ENABLED;
      info->tbButton.fsStyle = BTNS_BUTTON;
      info->tbButton.iString = reinterpret_cast<INT_PTR>(entry.caption.c_str());
      if (info->pszText && info->cchText > 0) lstrcpynW(info->pszText, entry.listed.c_str(), info->cchText);
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
      ActionToolBarPopupMenuPopup(mouse_point_);
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

void TZKMainForm::ActionToolBarPopupMenuPopup(POINT at) {
  // The first button's own size, placed at the client area's origin.
  const RECT first = ActionToolBar.ButtonRect(0);
  const RECT zone{0, 0, first.right - first.left, first.bottom - first.top};
  mouse_on_first_button_ = PtInRect(&zone, at) != FALSE;
}

void TZKMainForm::N3Click() { ActionToolBar.Customize(); }

void TZKMainForm::HideToolBarActionExecute(Action& action) {
  action.checked = !action.checked;
  settings_.HideToolBar = action.checked;
}

void TZKMainForm::ApplicationEvents1Message(const MSG& msg) {
  if (msg.message != WM_MOUSEMOVE || !form_created_ || !wnd_) return;
  if (msg.hwnd != wnd_ && !IsChild(wnd_, msg.hwnd)) return;
  POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  MapWindowPoints(msg.hwnd, wnd_, &at, 1);
  mouse_point_ = at;
  if (ActionToolBar.visible() && !settings_.HideToolBar) return;
  const bool show = at.y < kShowToolBarZone;
  if (show != ActionToolBar.visible()) {
    ActionToolBar.SetVisible(show);
    OnSize();
  }
}

}  // namespace zk
