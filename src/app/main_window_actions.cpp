// The command table of the main window and the handlers the viewer core owns.
#include <windows.h>

#include "app/main_window.h"
#include "base/win_files.h"
#include "base/win_text.h"

namespace zk {
namespace {

constexpr Shortcut Ctrl(char key) { return static_cast<Shortcut>(kCtrl | key); }
constexpr Shortcut Ctrl(int vk) { return static_cast<Shortcut>(kCtrl | vk); }

}  // namespace

void TZKMainForm::CreateActions() {
  ActionList& a = actions;
  const std::u16string none;

  // Caption, hint, shortcuts, tag, category, in the order of the command table.
  a.Add(u"FindEverythingAction", u"Everything 監視", u"Everything 監視", {Ctrl('W')});
  a.Add(u"ClearAction", u"クリア", u"ビューワのクリア", {VK_ESCAPE}, 0, u"HowView");
  a.Add(u"ReloadAction", u"制限なしにリロード", u"制限なしにリロード", {VK_F5, Ctrl('R')}, 0, u"HowView");
  a.Add(u"CopyAction", u"コピー", u"クリップボードにコピー", {Ctrl('C')});
  a.Add(u"SaveAction", u"画像に名前をつけて保存(A)..", u"画像に名前をつけて保存", {Ctrl('S')}, 0, u"ImageView");
  a.Add(u"OptionsAction", u"設定..", u"各種設定", {Ctrl('O')});
  // The keypad shortcuts of the zoom commands are set at start-up.
  a.Add(u"ZoomUpAction", u"大", u"大きく表示", {}, 1, u"HowView");
  a.Add(u"ZoomOutAction", u"小", u"小さく表示", {}, -1, u"HowView");
  a.Add(u"ZoomFitAction", u"収まる大きさ", u"窓に合わせて縮小", {}, 0, u"ImageView");
  a.Add(u"RealSizeAction", u"実際の大きさ", u"実際の大きさで表示", {}, 99, u"ImageView");
  a.Add(u"TopMostAction", u"常に手前に表示", u"常に手前に表示");
  a.Add(u"RunEverythingAction", u"Everything 起動", u"Everything 起動", {Ctrl('E')});
  a.Add(u"CopyImageAction", u"画像をクリップボードにコピー(&C)", u"画像をクリップボードにコピー|画像をコピーします",
        {Ctrl('C')}, 0, u"ImageView");
  a.Add(u"CopyGraphicAction", u"画像を同じ形式で保存(&S)..", none, {}, 0, u"ImageView");
  a.Add(u"MakeCacheAction", u"クリップボードからキャッシュ作成(&M)", none, {Ctrl('M')}, 0, u"Cache");
  a.Add(u"DeleteCacheAction", u"キャッシュファイルの削除(&D)..", none, {}, 0, u"Cache");
  a.Add(u"OpenCacheFolderAction", u"キャッシュフォルダを開く(O)..", none, {}, 0, u"Cache");
  a.Add(u"NextItemAction", u"NextItemAction", none, {VK_DOWN}, 1, u"ImageView");
  a.Add(u"PreItemAction", u"PreItemAction", none, {VK_UP}, -1, u"ImageView");
  a.Add(u"BetterViewAction", u"綺麗な縮小は好きですか", u"綺麗な縮小", {}, 0, u"ImageView");
  a.Add(u"ArcListAction", u"書庫内容表示", none, {Ctrl('Y')}, 0, u"ArcView");
  a.Add(u"HideToolBarAction", u"ツールバーを隠す", none, {}, -1);
  a.Add(u"NotUsedInTrayAction", u"Everythin がいない時はタスクトレイ", none);
  a.Add(u"ShowEverythingAction", u"Everything にフォーカス", none, {Ctrl(VK_TAB)});
  a.Add(u"TestAction", u"TestAction", none, {Ctrl('T')}, 0, u"Test");
  a.Add(u"CopyTestAction", u"CopyTestAction", none, {Ctrl('X')}, 0, u"Test");
  a.Add(u"SellectAllAction", u"すべて選択", u"すべて選択", {Ctrl('A')}, 0, u"Edit");
  a.Add(u"GoogleAction", u"Google で検索", u"Google で検索", {}, 0, u"Serch");
  a.Add(u"WikipediaAction", u"Wikipedia で検索", u"Wikipedia で検索", {}, 1, u"Serch");
  a.Add(u"EnterAction", u"EnterAction", none, {VK_RETURN}, 0, u"ArcView");
  a.Add(u"CtrlUpAction", u"CtrlUpAction", none, {Ctrl(VK_UP)}, 1, u"ArcView");
  a.Add(u"CtrlDownAction", u"CtrlDownAction", none, {Ctrl(VK_DOWN)}, -1, u"ArcView");
  a.Add(u"CtrlHomeAction", u"CtrlHomeAction", none, {Ctrl(VK_HOME)}, 999, u"ArcView");
  a.Add(u"CtrlEndAction", u"CtrlEndAction", none, {Ctrl(VK_END)}, -999, u"ArcView");
  a.Add(u"OutViewAction", u"外部ビュー(&V)", none, {Ctrl('V')});
  a.Add(u"CopyListAction", u"リストをコピー", none, {}, 0, u"ArcView");

  auto update = [&](const char16_t* name, std::function<void(Action&)> fn) { a[name].on_update = std::move(fn); };
  auto execute = [&](const char16_t* name, std::function<void(Action&)> fn) { a[name].on_execute = std::move(fn); };
  auto is_view = [this](std::initializer_list<zk::ViewFileType> kinds) {
    for (auto k : kinds)
      if (ViewFileType == k) return true;
    return false;
  };

  execute(u"ClearAction", [this](Action&) { ClearActionExecute(); });
  execute(u"ReloadAction", [this](Action&) { ReloadActionExecute(); });
  update(u"ReloadAction", [this](Action& x) { x.enabled = ::zk::FileExists(SelectedFileName); });
  execute(u"CopyAction", [this](Action&) { CopyActionExecute(); });
  execute(u"CopyImageAction", [this](Action&) { CopyImageActionExecute(); });
  update(u"CopyAction", [this](Action& x) {
    x.enabled = (ViewFileType == vfImage && MainImage.HasPicture()) || (ViewFileType == vfText && HasTextSelection());
  });
  update(u"SaveAction", [=, this](Action& x) { x.enabled = is_view({vfImage}); });
  update(u"ZoomUpAction", [=, this](Action& x) { x.enabled = is_view({vfImage, vfText}); });
  update(u"ZoomOutAction", [=, this](Action& x) { x.enabled = is_view({vfImage, vfText}); });
  update(u"ZoomFitAction", [=, this](Action& x) { x.enabled = is_view({vfImage}); });
  update(u"RealSizeAction", [=, this](Action& x) { x.enabled = is_view({vfImage}); });
  execute(u"TopMostAction", [this](Action& x) {
    x.checked = !x.checked;
    SetTopMost(x.checked);
  });
  update(u"RunEverythingAction", [this](Action& x) { x.enabled = ::zk::FileExists(settings.EverythingPath); });
  update(u"CopyImageAction", [=, this](Action& x) { x.enabled = is_view({vfImage}); });
  update(u"CopyGraphicAction", [this](Action& x) {
    x.enabled = false;
    x.visible = ViewFileType == vfImage && !ShownMemberPath.empty();
  });
  update(u"MakeCacheAction", [this](Action& x) {
    x.enabled = ::zk::FolderExists(settings.CacheFolder) && IsClipboardFormatAvailable(CF_BITMAP);
  });
  update(u"DeleteCacheAction", [this](Action& x) { x.enabled = ::zk::FileExists(CacheFileName(SelectedFileName)); });
  update(u"OpenCacheFolderAction", [this](Action& x) { x.enabled = ::zk::FolderExists(settings.CacheFolder); });
  update(u"NextItemAction", [this](Action& x) { x.enabled = PageControl_.active_page() != kArcTabSheet; });
  update(u"PreItemAction", [this](Action& x) { x.enabled = PageControl_.active_page() != kArcTabSheet; });
  for (const char16_t* n : {u"ZoomUpAction", u"ZoomOutAction", u"ZoomFitAction", u"RealSizeAction"})
    execute(n, [this](Action& x) { ZoomActionExecute(x.tag); });
  update(u"BetterViewAction", [this](Action& x) { x.checked = settings.Better; });
  execute(u"BetterViewAction", [this](Action& x) { BetterViewActionExecute(x); });
  execute(u"HideToolBarAction", [this](Action& x) { HideToolBarActionExecute(x); });
  update(u"HideToolBarAction", [this](Action& x) { x.checked = settings.HideToolBar; });
  execute(u"NotUsedInTrayAction", [this](Action& x) {
    x.checked = !x.checked;
    settings.NotUsedInTray = x.checked;
  });
  update(u"NotUsedInTrayAction", [this](Action& x) { x.checked = settings.NotUsedInTray; });
  update(u"ShowEverythingAction", [this](Action& x) { x.enabled = EverythingHandle != nullptr; });
  update(u"SellectAllAction", [=, this](Action& x) { x.enabled = is_view({vfText}); });
  execute(u"SellectAllAction", [this](Action&) { RichEditURL.SelectAll(); });
  update(u"GoogleAction", [=, this](Action& x) { x.enabled = is_view({vfText}) && HasTextSelection(); });
  update(u"WikipediaAction", [=, this](Action& x) { x.enabled = is_view({vfText}) && HasTextSelection(); });
  execute(u"GoogleAction", [this](Action& x) { OpenWebSearch(x.tag); });
  execute(u"WikipediaAction", [this](Action& x) { OpenWebSearch(x.tag); });
  auto arc_has_items = [this](Action& x) {
    x.enabled = ArcListBox && SendMessageW(ArcListBox, LB_GETCOUNT, 0, 0) > 0;
  };
  update(u"EnterAction", arc_has_items);
  update(u"CopyListAction", arc_has_items);
  auto member_selected = [this](Action& x) {
    x.enabled = ViewFileType == vfImage && ArcListBox && SendMessageW(ArcListBox, LB_GETCURSEL, 0, 0) >= 0;
  };
  for (const char16_t* n : {u"CtrlUpAction", u"CtrlDownAction", u"CtrlHomeAction", u"CtrlEndAction"})
    update(n, member_selected);
  update(u"OutViewAction", [=, this](Action& x) { x.enabled = is_view({vfImage, vfText}); });

  CreateWatcherActions();
  CreateOutsideActions();
  CreateReportActions();
  CreateOptionsActions();

  // Every command without its own handler yet is still a command of the
  // table: its key is taken and it is shown disabled.
  for (auto& x : a.actions())
    if (!x->on_execute && !x->on_update) x->on_update = [](Action& y) { y.enabled = false; };
}

void TZKMainForm::ClearActionExecute() {
  DWORD now = GetTickCount();
  if (now - last_clear_tick_ > GetDoubleClickTime()) {
    last_clear_tick_ = now;
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
  if (ApplicationEvents1Message(msg)) return true;
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

void TZKMainForm::Idle() {
  if (!wnd_) return;
  actions.UpdateAll();
  UpdateToolBar();
}

}  // namespace zk
