// The command table of the main window and the handlers the viewer core owns.
#include <windows.h>

#include "app/main_window.h"
#include "app/wheel_rules.h"
#include "base/win_files.h"
#include "base/win_text.h"

namespace zk {

void TZKMainForm::CreateActions() {
  using enum CommandId;
  ActionList& a = actions;
  auto update = [&](CommandId id, std::function<void(Action&)> fn) { a[id].on_update = std::move(fn); };
  auto execute = [&](CommandId id, std::function<void(Action&)> fn) { a[id].on_execute = std::move(fn); };
  auto is_view = [this](std::initializer_list<zk::ViewFileType> kinds) {
    for (auto k : kinds)
      if (ViewFileType == k) return true;
    return false;
  };

  execute(ClearAction, [this](Action&) { ClearActionExecute(); });
  execute(ReloadAction, [this](Action&) { ReloadActionExecute(); });
  update(ReloadAction, [this](Action& x) { x.enabled = Facts().selection; });
  execute(CopyAction, [this](Action&) { CopyActionExecute(); });
  execute(CopyImageAction, [this](Action&) { CopyImageActionExecute(); });
  update(CopyAction, [this](Action& x) {
    x.enabled = (ViewFileType == vfImage && image_page_.HasPicture()) || (ViewFileType == vfText && text_page_.HasSelection());
  });
  update(SaveAction, [=, this](Action& x) { x.enabled = is_view({vfImage}); });
  update(ZoomUpAction, [=, this](Action& x) { x.enabled = is_view({vfImage, vfText}); });
  update(ZoomOutAction, [=, this](Action& x) { x.enabled = is_view({vfImage, vfText}); });
  update(ZoomFitAction, [=, this](Action& x) { x.enabled = is_view({vfImage}); });
  update(RealSizeAction, [=, this](Action& x) { x.enabled = is_view({vfImage}); });
  execute(TopMostAction, [this](Action& x) {
    x.checked = !x.checked;
    SetTopMost(x.checked);
  });
  update(RunEverythingAction, [this](Action& x) { x.enabled = Facts().everything; });
  update(CopyImageAction, [=, this](Action& x) { x.enabled = is_view({vfImage}); });
  update(MakeCacheAction, [this](Action& x) {
    x.enabled = Facts().cache_folder && IsClipboardFormatAvailable(CF_BITMAP);
  });
  update(DeleteCacheAction, [this](Action& x) { x.enabled = Facts().cache_image; });
  update(OpenCacheFolderAction, [this](Action& x) { x.enabled = Facts().cache_folder; });
  update(NextItemAction, [this](Action& x) { x.enabled = PageControl_.active_page() != kArcTabSheet; });
  update(PreItemAction, [this](Action& x) { x.enabled = PageControl_.active_page() != kArcTabSheet; });
  for (CommandId n : {ZoomUpAction, ZoomOutAction, ZoomFitAction, RealSizeAction})
    execute(n, [this](Action& x) { ZoomActionExecute(x.tag); });
  update(BetterViewAction, [this](Action& x) { x.checked = settings.Better; });
  execute(BetterViewAction, [this](Action& x) { BetterViewActionExecute(x); });
  execute(HideToolBarAction, [this](Action& x) { HideToolBarActionExecute(x); });
  update(HideToolBarAction, [this](Action& x) { x.checked = settings.HideToolBar; });
  execute(NotUsedInTrayAction, [this](Action& x) {
    x.checked = !x.checked;
    settings.NotUsedInTray = x.checked;
  });
  update(NotUsedInTrayAction, [this](Action& x) { x.checked = settings.NotUsedInTray; });
  update(ShowEverythingAction, [this](Action& x) { x.enabled = EverythingHandle != nullptr; });
  update(SellectAllAction, [=, this](Action& x) { x.enabled = is_view({vfText}); });
  execute(SellectAllAction, [this](Action&) { text_page_.RichEditURL().SelectAll(); });
  update(GoogleAction, [=, this](Action& x) { x.enabled = is_view({vfText}) && text_page_.HasSelection(); });
  update(WikipediaAction, [=, this](Action& x) { x.enabled = is_view({vfText}) && text_page_.HasSelection(); });
  execute(GoogleAction, [this](Action& x) { OpenWebSearch(x.tag); });
  execute(WikipediaAction, [this](Action& x) { OpenWebSearch(x.tag); });
  auto arc_has_items = [this](Action& x) {
    x.enabled = archive_page_.Count() > 0;
  };
  update(EnterAction, arc_has_items);
  update(CopyListAction, arc_has_items);
  auto member_selected = [this](Action& x) {
    x.enabled = ViewFileType == vfImage && archive_page_.SelectedIndex() >= 0;
  };
  for (CommandId n : {CtrlUpAction, CtrlDownAction, CtrlHomeAction, CtrlEndAction})
    update(n, member_selected);
  update(OutViewAction, [=, this](Action& x) { x.enabled = is_view({vfImage, vfText}); });

  CreateWatcherActions();
  CreateOutsideActions();
  CreateArchiveActions();
  CreateSaveActions();
  CreateReportActions();
  CreateOptionsActions();

  // Every command without its own handler yet is still a command of the
  // table: its key is taken and it is shown disabled.
  for (Action& x : a)
    if (!x.on_execute && !x.on_update) x.on_update = [](Action& y) { y.enabled = false; };
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
  } restore{settings, settings.MaxReadByte, settings.ArcView, settings.IsBinary};
  settings.MaxReadByte = 0;
  settings.IsBinary.clear();
  settings.ArcView = true;
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

const ExistenceFacts& TZKMainForm::Facts() {
  ExistenceKey key{SelectedFileName, settings.CacheFolder, settings.EverythingPath, ShownMemberPath};
  return existence_.Get(key, GetTickCount(), [this](const ExistenceKey& k) {
    ExistenceFacts f;
    f.selection = ::zk::FileExists(k.selection);
    f.cache_image = ::zk::FileExists(CacheFileName(k.selection));
    f.cache_folder = ::zk::FolderExists(k.cache_folder);
    f.everything = ::zk::FileExists(k.everything_path);
    f.shown_member = ::zk::FileExists(k.shown_member);
    return f;
  });
}

void TZKMainForm::Idle() {
  if (!wnd_) return;
  actions.UpdateAll();
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
      StepArchiveMember(up ? 1 : -1);
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
