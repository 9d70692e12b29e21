// The command table of the main window and the handlers the viewer core owns.
#include <windows.h>

#include "app/window/main_window.h"
#include "app/model/wheel_rules.h"
#include "base/win_files.h"
#include "base/win_text.h"

namespace zk {

void TZKMainForm::CreateActions() {
  using enum CommandId;
  ActionList& a = actions;
  auto execute = [&](CommandId id, std::function<void(Action&)> fn) { a[id].on_execute = std::move(fn); };

  execute(ClearAction, [this](Action&) { ClearActionExecute(); });
  execute(ReloadAction, [this](Action&) { ReloadActionExecute(); });
  execute(CopyAction, [this](Action&) { CopyActionExecute(); });
  execute(CopyImageAction, [this](Action&) { CopyImageActionExecute(); });
  execute(TopMostAction, [this](Action& x) {
    x.checked = !x.checked;
    SetTopMost(x.checked);
  });
  for (CommandId n : {ZoomUpAction, ZoomOutAction, ZoomFitAction, RealSizeAction})
    execute(n, [this](Action& x) { ZoomActionExecute(x.tag); });
  execute(BetterViewAction, [this](Action& x) { BetterViewActionExecute(x); });
  execute(HideToolBarAction, [this](Action& x) { HideToolBarActionExecute(x); });
  execute(NotUsedInTrayAction, [this](Action& x) {
    x.checked = !x.checked;
    settings_.NotUsedInTray = x.checked;
  });
  execute(SellectAllAction, [this](Action&) { text_page_.RichEditURL().SelectAll(); });
  execute(GoogleAction, [this](Action& x) { OpenWebSearch(x.tag); });
  execute(WikipediaAction, [this](Action& x) { OpenWebSearch(x.tag); });

  CreateWatcherActions();
  CreateOutsideActions();
  CreateArchiveActions();
  CreateSaveActions();
  CreateReportActions();
  CreateOptionsActions();

  // A key press runs the command's rule before the command, as an idle pass does.
  for (Action& x : a) x.on_update = [this](Action& y) { ApplyCommandState(y, CurrentContext()); };
}

ViewContext TZKMainForm::CurrentContext() {
  const ExistenceFacts& facts = existence_.facts();
  ViewContext c;
  c.view = ViewFileType;
  c.has_picture = image_page_.HasPicture();
  c.has_text_selection = text_page_.HasSelection();
  c.archive_count = archive_page_.Count();
  c.member_selected = archive_page_.SelectedIndex() >= 0;
  c.archive_page_active = PageControl_.active_page() == kArcTabSheet;
  c.search_window_known = EverythingHandle != nullptr;
  c.selection_exists = facts.selection;
  c.everything_exists = facts.everything;
  c.cache_image_exists = facts.cache_image;
  c.cache_folder_exists = facts.cache_folder;
  c.shown_member_exists = facts.shown_member;
  c.clipboard_has_bitmap = IsClipboardFormatAvailable(CF_BITMAP);
  c.better = settings_.Better;
  c.hide_toolbar = settings_.HideToolBar;
  c.not_used_in_tray = settings_.NotUsedInTray;
  return c;
}

void TZKMainForm::ApplyCommandState(Action& action, const ViewContext& context) {
  // A command of the table without a handler yet still takes its key; it shows disabled.
  if (!action.on_execute) {
    action.enabled = false;
    return;
  }
  const CommandState state =
      CommandStateOf(actions.IdOf(action), context, {action.enabled, action.checked, action.visible});
  action.enabled = state.enabled;
  action.checked = state.checked;
  action.visible = state.visible;
}

void TZKMainForm::ClearActionExecute() {
  // When the key was pressed (or the button clicked), not when it is handled:
  // a slow first clear must not turn a quick second press into another clear.
  const DWORD now = static_cast<DWORD>(GetMessageTime());
  if (!last_clear_time_ || now - *last_clear_time_ > GetDoubleClickTime()) {
    last_clear_time_ = now;
    ClearView(false);
  } else if (EverythingHandle) {
    // A quick second Esc closes Everything; the tick stays, so a third asks again.
    SendMessageTimeoutW(EverythingHandle, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 1000, nullptr);
  }
}

void TZKMainForm::ReloadActionExecute() {
  // Lift the limits for this one dispatch and put them back whatever happens.
  struct Restore {
    Settings& s;
    int64_t max_read_byte;
    bool arc_view;
    std::vector<std::u16string> is_binary;
    ~Restore() {
      s.MaxReadByte = max_read_byte;
      s.ArcView = arc_view;
      s.IsBinary = std::move(is_binary);
    }
  } restore{settings_, settings_.MaxReadByte, settings_.ArcView, settings_.IsBinary};
  settings_.MaxReadByte = 0;
  settings_.IsBinary.clear();
  settings_.ArcView = true;
  ClearView(false);
  DispatchFile(SelectedFileName, false);
}

bool TZKMainForm::PreTranslateMessage(const MSG& msg) {
  ApplicationEvents1Message(msg);
  if (msg.message == WM_MOUSEWHEEL && (msg.hwnd == wnd_ || IsChild(wnd_, msg.hwnd)))
    return FormMouseWheel(GET_KEYSTATE_WPARAM(msg.wParam), GET_WHEEL_DELTA_WPARAM(msg.wParam));
  return TranslateShortcut(msg);
}

bool TZKMainForm::TranslateShortcut(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  if (msg.hwnd != wnd_ && !IsChild(wnd_, msg.hwnd)) return false;
  Shortcut code = static_cast<Shortcut>(msg.wParam & 0xFF);
  if (GetKeyState(VK_SHIFT) < 0) code |= kShift;
  if (GetKeyState(VK_CONTROL) < 0) code |= kCtrl;
  if (GetKeyState(VK_MENU) < 0) code |= kAlt;
  Action* action = actions.ForShortcut(code);
  // A disabled command leaves the key to the control that has the focus.
  return action && action->Execute();
}

void TZKMainForm::RefreshFacts() {
  ExistenceKey key{SelectedFileName, settings_.CacheFolder, settings_.EverythingPath,
                   archive_page_.browser().shown_member()};
  existence_.Get(key, GetTickCount(), [this](const ExistenceKey& k) {
    ExistenceFacts f;
    f.selection = FileExists(k.selection);
    f.cache_image = FileExists(saver_.CacheFileName(k.selection));
    f.cache_folder = FolderExists(k.cache_folder);
    f.everything = FileExists(k.everything_path);
    f.shown_member = FileExists(k.shown_member);
    return f;
  });
}

void TZKMainForm::Idle() {
  if (!wnd_) return;
  const ViewContext context = CurrentContext();
  for (Action& x : actions) ApplyCommandState(x, context);
  UpdateToolBar();
}

bool TZKMainForm::FormMouseWheel(WPARAM keys, int delta) {
  uint8_t held = 0;
  if (keys & MK_SHIFT) held |= kWheelShift;
  if (keys & MK_CONTROL) held |= kWheelCtrl;
  if (GetKeyState(VK_MENU) < 0) held |= kWheelAlt;
  if (keys & MK_LBUTTON) held |= kWheelLeft;
  if (keys & MK_RBUTTON) held |= kWheelRight;
  if (keys & MK_MBUTTON) held |= kWheelMiddle;
  WheelContext context;
  context.view = ViewFileType;
  context.member_selected = archive_page_.SelectedIndex() >= 0;
  context.text_page_active = PageControl_.active_page() == kTextTabSheet;
  context.archive_page_active = PageControl_.active_page() == kArcTabSheet;
  const bool up = delta > 0;
  const WheelDecision decision = DecideWheel(held, up, context);
  switch (decision.rule) {
    case WheelRule::kStepSelection:
      StepEverythingSelection(decision.argument);
      break;
    case WheelRule::kZoom:
      actions[up ? CommandId::ZoomUpAction : CommandId::ZoomOutAction].Execute();
      break;
    case WheelRule::kStepMember:
      // Up is the previous member, as Ctrl+Up.
      archive_page_.browser().Step(up ? 1 : -1);
      break;
    case WheelRule::kScrollText:
      if (HWND text = text_page_.RichEditURL().hwnd()) SendMessageW(text, WM_VSCROLL, up ? SB_LINEUP : SB_LINEDOWN, 0);
      break;
    case WheelRule::kScrollArchive:
      archive_page_.ScrollLine(up);
      break;
    case WheelRule::kNothing:
      break;
  }
  return true;
}

}  // namespace zk
