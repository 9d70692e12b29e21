// The settings dialog: its window, the modal run, and moving the settings in
// and out of the controls.
#include "app/dialogs/options_form.h"

#include <commctrl.h>

#include "app/controls/scroll_box.h"
#include "app/dialogs/options_form_ids.h"
#include "app/model/options_form_rules.h"
#include "base/text.h"
#include "base/ui/modal_dialog.h"
#include "base/win_text.h"

namespace zk {

using namespace options_form_ids;

namespace {

constexpr int kClientWidth = 421;
constexpr int kClientHeight = 299;
constexpr COLORREF kRed = RGB(255, 0, 0);

bool IsInside(HWND root, HWND wnd) { return wnd == root || IsChild(root, wnd); }

struct MnemonicSearch {
  wchar_t ch;
  bool found;
};

// Whether a control in view has the accelerator character.
BOOL CALLBACK FindMnemonic(HWND child, LPARAM lp) {
  auto* s = reinterpret_cast<MnemonicSearch*>(lp);
  if (!IsWindowVisible(child) || !IsWindowEnabled(child)) return TRUE;
  wchar_t cls[16] = {};
  GetClassNameW(child, cls, 16);
  if (lstrcmpiW(cls, L"Edit") == 0) return TRUE;  // an edit's text is no caption
  if (lstrcmpiW(cls, L"Static") == 0 && (GetWindowLongPtrW(child, GWL_STYLE) & SS_NOPREFIX)) return TRUE;
  if (AcceleratorOf(ToWide(WindowText(child))) == s->ch) {
    s->found = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

TZKOptionsForm::TZKOptionsForm(HWND owner, MessageBoxFn message_box, std::wstring title)
    : owner_(owner), message_box_(std::move(message_box)), title_(std::move(title)) {}

TZKOptionsForm::~TZKOptionsForm() {
  if (wnd_) DestroyWindow(wnd_);
}

bool TZKOptionsForm::Create() { return CreateEmptyFor(owner_, L"ZKOptionsForm") != nullptr; }

void TZKOptionsForm::FormCreate() {
  hints_.Create(wnd_);
  PageControl.Create(wnd_, scale_({4, 4, kClientWidth - 8, kClientHeight - 44}), kPageControl, kFirstPage,
                     {L"&Main", L"Te&xt", L"&Image", L"&Programs", L"&Other"}, font_.get());
  CreateMainPage(PageControl.page(kMainPage));
  CreateTextPage(PageControl.page(kTextPage));
  CreateImagePage(PageControl.page(kImagePage));
  CreateProgramsPage(PageControl.page(kProgramsPage));
  CreateOtherPage(PageControl.page(kOtherPage));
  OKButton = CreatePushButton(wnd_, L"OK", scale_({kClientWidth - 168, kClientHeight - 34, 78, 25}), IDOK, font_.get(),
                              BS_DEFPUSHBUTTON);
  CancelButton =
      CreatePushButton(wnd_, L"Cancel", scale_({kClientWidth - 84, kClientHeight - 34, 78, 25}), IDCANCEL, font_.get());
  CreateActions();
}

void TZKOptionsForm::CreateActions() {
  KakuListAddAction.on_execute = [this](Action&) { KakuListAddActionExecute(); };
  KakuListDelAction.on_execute = [this](Action&) { KakuListDelActionExecute(); };
  KakuListDelAction.on_update = [this](Action& a) { KakuListDelActionUpdate(a); };
}

void TZKOptionsForm::UpdateActions() {
  KakuListAddAction.Update();
  KakuListDelAction.Update();
  const bool can_delete = KakuListDelAction.enabled;
  // A button that loses its input must not keep the focus, or the keyboard
  // would reach nothing.
  if (!can_delete && GetFocus() == KakuListDelButton) SetFocus(KakuListBox.hwnd());
  EnableWindow(KakuListDelButton, can_delete);
  EnableWindow(KakuListAddButton, KakuListAddAction.enabled);
}

void TZKOptionsForm::FillFrom(const Settings& s) {
  NotUsedInTrayCheckBox.SetChecked(s.NotUsedInTray);
  ClearNoEverythingCheckBox.SetChecked(s.ClearNoEverything);
  MaxKByteEdit.SetText(IntToText(s.MaxReadByte));  // its change event sets the hint
  UserActiveHotKey.SetValue(HotKeyFieldFromShortcut(s.ActiveHotKey));
  KakuListBox.SetItems(s.IsBinary);

  FontPreview.SetText(sample_text);
  SetPreviewFont(s.Font);

  BetterCheckBox.SetChecked(s.Better);
  ImageCenterCheckBox.SetChecked(s.ImageCenter);
  BackgroundColorPanel.SetColor(s.BackgroundColor);

  EverythingPathEdit.SetText(s.EverythingPath);
  OutWClickCheckBox.SetChecked(s.OutWClick);
  OutTextEdit.SetText(s.OutTextEditor);
  OutTextDirEdit.SetText(s.OutTextDir);
  OutGEdit.SetText(s.OutGEditor);
  OutGDirEdit.SetText(s.OutGDir);

  ShowID3TagCheckBox.SetChecked(s.ShowID3Tag);
  LinkViewCheckBox.SetChecked(s.LinkView);
  ArcViewCheckBox.SetChecked(s.ArcView);
  ArkWrapCheckBox.SetChecked(s.ArkWrap);
  ArchiveBuiltInCheckBox.SetChecked(s.ArchiveBuiltIn);
  CacheFolderEdit.SetText(s.CacheFolder);
  UpdateActions();
}

void TZKOptionsForm::CopyTo(Settings& s) const {
  s.NotUsedInTray = NotUsedInTrayCheckBox.checked();
  s.ClearNoEverything = ClearNoEverythingCheckBox.checked();
  s.MaxReadByte = MaxReadByteFromText(MaxKByteEdit.Text(), s.MaxReadByte);
  s.ActiveHotKey = ShortcutFromHotKeyField(UserActiveHotKey.Value());
  s.IsBinary = KakuListBox.Items();

  s.Font = preview_font_;

  s.Better = BetterCheckBox.checked();
  s.ImageCenter = ImageCenterCheckBox.checked();
  s.BackgroundColor = BackgroundColorPanel.color();

  s.EverythingPath = EverythingPathEdit.Text();
  s.OutWClick = OutWClickCheckBox.checked();
  s.OutTextEditor = OutTextEdit.Text();
  s.OutTextDir = OutTextDirEdit.Text();
  s.OutGEditor = OutGEdit.Text();
  s.OutGDir = OutGDirEdit.Text();

  s.ShowID3Tag = ShowID3TagCheckBox.checked();
  s.LinkView = LinkViewCheckBox.checked();
  s.ArcView = ArcViewCheckBox.checked();
  s.ArkWrap = ArkWrapCheckBox.checked();
  s.ArchiveBuiltIn = ArchiveBuiltInCheckBox.checked();
  s.CacheFolder = CacheFolderEdit.Text();
}

int TZKOptionsForm::ShowModal(int page) {
  if (!wnd_) return IDCANCEL;
  PageControl.SetActivePage(page >= 0 && page < PageControl.page_count() ? page : kMainPage);
  PlaceDialog(wnd_, owner_, scale_, kClientWidth, kClientHeight);
  result_ = IDCANCEL;
  done_ = false;
  ModalOptions modal;
  modal.on_shown = [this] {
    SetFocus(PageControl.hwnd());
    UpdateWindow(wnd_);
    if (OnShow) OnShow(*this);
  };
  modal.pre_translate = [this](MSG& msg) { return PreTranslate(msg); };
  RunModal(wnd_, owner_, done_, modal);
  return result_;
}

void TZKOptionsForm::Click(HWND button) {
  if (!wnd_ || !button || !IsWindowEnabled(button)) return;
  SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

bool TZKOptionsForm::HasMnemonicOnScreen(wchar_t ch) const {
  MnemonicSearch search{ch, false};
  EnumChildWindows(wnd_, &FindMnemonic, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool TZKOptionsForm::PreTranslate(MSG& msg) {
  if (!wnd_ || !IsInside(wnd_, msg.hwnd)) return false;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  if (msg.message == WM_KEYDOWN && ctrl &&
      (msg.wParam == VK_TAB || msg.wParam == VK_NEXT || msg.wParam == VK_PRIOR)) {
    // Ctrl+Tab and Ctrl+PageDown go to the next page, with Shift or PageUp back.
    PageControl.SelectNextPage(msg.wParam == VK_TAB ? !shift : msg.wParam == VK_NEXT);
    SetFocus(PageControl.hwnd());
    return true;
  }
  if (msg.message == WM_SYSCHAR) {
    // Alt and a tab's letter opens that page, unless a control in view has
    // the same letter.
    wchar_t upper = AcceleratorOf(std::wstring(L"&") + static_cast<wchar_t>(msg.wParam));
    int page = PageControl.PageForAccelerator(upper);
    if (page >= 0 && !HasMnemonicOnScreen(upper)) {
      PageControl.SetActivePage(page);
      SetFocus(PageControl.hwnd());
      return true;
    }
  }
  return false;
}

INT_PTR TZKOptionsForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_INITDIALOG:
      FormCreate();
      return FALSE;  // the focus is placed when the dialog is shown
    case WM_NCDESTROY:
      // Destroyed with its owner while open: the run ends as cancelled.
      done_ = true;
      return FALSE;
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp));
      return TRUE;
    case WM_CLOSE:
      // The close box cancels at once (the dialog manager would only post
      // the cancel, behind whatever is already queued).
      OnCommand(IDCANCEL, BN_CLICKED);
      return TRUE;
    case WM_NOTIFY:
      if (PageControl.HandleNotify(reinterpret_cast<NMHDR*>(lp))) return TRUE;
      break;
    case WM_DRAWITEM:
      if (BackgroundColorPanel.Draw(*reinterpret_cast<DRAWITEMSTRUCT*>(lp))) {
        SetWindowLongPtrW(wnd_, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lp) == MaxKByteLabel) {
        HDC dc = reinterpret_cast<HDC>(wp);
        SetTextColor(dc, kRed);
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
  }
  return FALSE;
}

void TZKOptionsForm::OnCommand(int id, int code) {
  switch (id) {
    case IDOK:
      result_ = IDOK;
      done_ = true;
      return;
    case IDCANCEL:
      done_ = true;
      return;
    case kKakuListAdd:
      KakuListAddAction.Execute();
      UpdateActions();
      return;
    case kKakuListDel:
      KakuListDelAction.Execute();
      UpdateActions();
      return;
    case kKakuListBox:
      if (code == LBN_SELCHANGE) UpdateActions();
      return;
    case kMaxKByteEdit:
      if (code == EN_CHANGE) MaxKByteEditChange();
      return;
    case kButton1:
      Button1Click();
      return;
    case kBackgroundColorPanel:
      if (code == BN_CLICKED) BackgroundColorPanelClick();
      return;
    case kSpeedButton1:
      SpeedButton1Click();
      return;
    case kSpeedButton2:
      SpeedButton2Click();
      return;
  }
  if (id >= kFirstOutViewerButton && id < kFirstOutViewerButton + 4 && code == BN_CLICKED)
    SpeedButton6Click(id - kFirstOutViewerButton);
}

void TZKOptionsForm::SetPreviewFont(const FontSetting& font) {
  preview_font_ = font;
  LOGFONTW lf = LogFontFromSetting(font);
  lf.lfHeight = scale_(lf.lfHeight);  // the setting keeps the height at 96 DPI
  preview_hfont_.reset(CreateFontIndirectW(&lf));
  FontPreview.SetFont(preview_hfont_.get(), ColorToRgb(font.color));
}

void TZKOptionsForm::OnDpiChanged(int dpi, const RECT& suggested) {
  DialogBase::OnDpiChanged(dpi, suggested);
  SetPreviewFont(preview_font_);
}

void TZKOptionsForm::ShowWarning(const std::wstring& message) {
  MessageBeep(MB_ICONEXCLAMATION);
  message_box_(wnd_, message, title_, MB_OK | MB_ICONWARNING);
}

}  // namespace zk
