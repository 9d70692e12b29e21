// Window creation, layout and message handling of the main window.
#include "app/window/main_window.h"

#include <utility>

#include <commctrl.h>
#include <windowsx.h>

#include "base/ui/dialog_font.h"
#include "base/ui/dpi.h"
#include "base/win_class.h"
#include "base/win_files.h"
#include "base/win_text.h"
#include "desktop/single_instance.h"

namespace zk {
namespace {

constexpr wchar_t kClassName[] = L"TZKMainForm";
constexpr int kDesignedClientWidth = 854;
constexpr int kDesignedClientHeight = 603;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_APPWINDOW;
// Looks at the files the commands' enable rules depend on (the poll's is 0x5A57).
constexpr UINT_PTR kFactsTimerId = 0x5A58;

enum ControlId {
  kPageControlId = 100,
  kFirstPageId = 101,
  kScrollBoxId = 110,
  kMainImageId = 111,
  kArcListBoxId = 120,
  kFontTestMemoId = 130,
  kStatusBarId = 140,
};

}  // namespace

TZKMainForm::TZKMainForm(MainFormOptions options)
    : options_(std::move(options)),
      services_(options_.services ? options_.services : std::make_shared<MainFormServices>()) {}

TZKMainForm::~TZKMainForm() {
  if (wnd_) DestroyWindow(wnd_);
}

SIZE TZKMainForm::DesignedWindowSize() const {
  // Before the window exists its DPI is the system's: it opens on the primary monitor.
  const int dpi = SystemDpi();
  RECT rc{0, 0, ScaleForDpi(kDesignedClientWidth, dpi), ScaleForDpi(kDesignedClientHeight, dpi)};
  AdjustWindowRectEx(&rc, kStyle, FALSE, kExStyle);
  return {rc.right - rc.left, rc.bottom - rc.top};
}

bool TZKMainForm::Create() {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  HICON small_icon = static_cast<HICON>(LoadImageW(inst, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                    LR_DEFAULTCOLOR | LR_SHARED));
  if (!EnsureWindowClass({kClassName, Procedure, CS_DBLCLKS, nullptr, GetSysColorBrush(COLOR_BTNFACE),
                          LoadIconW(inst, MAKEINTRESOURCEW(1)), small_icon}))
    return false;
  SIZE size = DesignedWindowSize();
  HWND w = CreateFor(kExStyle, kClassName, kApplicationTitle, kStyle, 0, 0, size.cx, size.cy,
                     options_.application_window, nullptr);
  return w != nullptr && form_created_;
}

void TZKMainForm::Show() {
  if (!wnd_) return;
  StartWindowState state = StartStateFor(settings_.wsMaximized, options_.show_command);
  int cmd = state == StartWindowState::kMaximized   ? SW_SHOWMAXIMIZED
            : state == StartWindowState::kMinimized ? SW_SHOWMINIMIZED
                                                    : SW_SHOWNORMAL;
  ShowWindow(wnd_, cmd);
  UpdateWindow(wnd_);
  shown_ = true;
}

void TZKMainForm::Close() {
  if (wnd_) SendMessageW(wnd_, WM_CLOSE, 0, 0);
}

void TZKMainForm::CreateControls() {
  dpi_ = DpiOfWindow(wnd_);
  ui_font_ = CreateDialogFont(dpi_);
  text_page_.SetDpi(dpi_);

  CreateToolBar();
  StatusBar_.Create(wnd_, kStatusBarId, StatusPanelWidths());
  PageControl_.Create(wnd_, kPageControlId, 3, kFirstPageId);

  image_page_.Create(ImageTabSheet(), kScrollBoxId, kMainImageId);
  archive_page_.Create(ArcTabSheet(), kArcListBoxId, ui_font_.get());
  text_page_.CreateMemo(TextTabSheet(), kFontTestMemoId, ui_font_.get());
  if (StatusBar_.hwnd()) SendMessageW(StatusBar_.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(ui_font_.get()), FALSE);
}

void TZKMainForm::OnSize() {
  if (!wnd_) return;
  StatusBar_.OnParentSize();
  RECT rc;
  GetClientRect(wnd_, &rc);
  rc.bottom -= StatusBar_.Height();
  // The toolbar spans the top; the pages take the rest.
  rc.top += PlaceToolBar(rc.right);
  if (rc.bottom < rc.top) rc.bottom = rc.top;
  PageControl_.SetBounds(rc);
  // The pages fill the page control; their contents fill the pages.
  RECT page{0, 0, rc.right - rc.left, rc.bottom - rc.top};
  image_page_.Layout(page.right, page.bottom);
  archive_page_.Layout(page.right, page.bottom);
  text_page_.Layout(page.right, page.bottom);
}

bool TZKMainForm::OnCreate() {
  // Another copy running: end here, before any start-up step.
  single_instance_ = std::make_unique<TSingleInstance>();
  single_instance_->DupInstAction = diActivateFirst;
  single_instance_->UniqueName = options_.unique_name;
  if (!single_instance_->Check()) {
    duplicate_ = true;
    return false;
  }
  CreatePlugins();
  CreateControls();
  CreateActions();
  FormCreate();
  form_created_ = true;
  RefreshFacts();
  SetTimer(wnd_, kFactsTimerId, ExistenceCache::kMaxAgeMs, nullptr);
  OnSize();
  return true;
}

void TZKMainForm::OnDestroy() {
  if (form_created_) FormDestroy();
}

void TZKMainForm::SetTopMost(bool on) {
  settings_.TopMost = on;
  if (wnd_)
    SetWindowPos(wnd_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int TZKMainForm::ShowMessageBox(const std::wstring& text, const std::wstring& caption, UINT type) {
  return MessageBoxFor(wnd_, text, caption, type);
}

int TZKMainForm::MessageBoxFor(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) {
  if (services_->message_box) return services_->message_box(owner, text, caption, type);
  return ::MessageBoxW(owner, text.c_str(), caption.c_str(), type);
}

void TZKMainForm::ShowWarning(const std::wstring& message) {
  MessageBeep(MB_ICONEXCLAMATION);
  ShowMessageBox(message, kApplicationTitle, MB_OK | MB_ICONWARNING);
}

LRESULT TZKMainForm::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CREATE:
      // -1 ends the window's creation: another copy runs.
      return OnCreate() ? 0 : -1;
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return 0;
    case WM_SETCURSOR:
      if (busy_ > 0) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_CONTEXTMENU:
      if (OnContextMenu(reinterpret_cast<HWND>(wp), lp)) return 0;
      break;
    case WM_ACTIVATE:
      // As forms do: the control that had the keyboard focus gets it back,
      // instead of the window itself.
      if (LOWORD(wp) == WA_INACTIVE) RememberFocus(GetFocus());
      else if (!HIWORD(wp) && RestoreFocus()) return 0;
      break;
    case WM_SETFOCUS:
      RememberFocus(wnd_);
      break;
    case WM_COMMAND:
      // A modal box may take the focus away before the window hears of its
      // deactivation, so the controls' own focus notices are kept as well.
      if ((HIWORD(wp) == EN_SETFOCUS || HIWORD(wp) == LBN_SETFOCUS) && reinterpret_cast<HWND>(lp) == GetFocus())
        RememberFocus(GetFocus());
      if (reinterpret_cast<HWND>(lp) == ActionToolBar.hwnd() && OnToolBarCommand(LOWORD(wp))) return 0;
      if (archive_page_.HandleCommand(reinterpret_cast<HWND>(lp), HIWORD(wp))) return 0;
      break;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (OnToolBarNotify(reinterpret_cast<NMHDR*>(lp), &result)) return result;
    }
      if (text_page_.RichEditURL().HandleNotify(reinterpret_cast<NMHDR*>(lp))) return 0;
      break;
    case kTextPieceMessage:
      text_page_.OnTextPiece();
      return 0;
    case WM_ACTIVATEAPP:
      // A converter installed while the viewer runs is found on the next activation.
      if (wp && !::zk::FileExists(converter_path_)) LocateConverter();
      break;
    case WM_TIMER:
      if (wp == kFactsTimerId) {
        RefreshFacts();
        return 0;
      }
      if (OnWatchTimer(wp)) return 0;
      break;
    case WM_PAINT:
      if (!first_paint_done_) FormPaint();
      break;
    case WM_CLOSE:
      DestroyWindow(wnd_);
      return 0;
    case WM_DESTROY:
      OnDestroy();
      if (options_.quit_on_destroy) PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(wnd_, msg, wp, lp);
}

void TZKMainForm::RememberFocus(HWND focus) {
  if (focus && (focus == wnd_ || IsChild(wnd_, focus))) last_focus_ = focus;
}

bool TZKMainForm::RestoreFocus() {
  HWND focus = last_focus_;
  if (!focus || !IsWindow(focus) || (focus != wnd_ && !IsChild(wnd_, focus))) return false;
  if (!IsWindowVisible(focus) || !IsWindowEnabled(focus)) return false;
  SetFocus(focus);
  return true;
}

bool TZKMainForm::OnContextMenu(HWND from, LPARAM lp) {
  PopupMenu* menu = nullptr;
  if (from == image_page_.MainImage().hwnd()) {
    // The right button that ended a pan opens nothing.
    if (image_page_.TakePanEndedByRightButton()) return true;
    if (image_page_.HasPicture()) {
      ImagePopupMenuPopup();
      menu = ImagePopupMenu.get();
    }
  } else if (from == archive_page_.ArcListBox()) {
    menu = ArcListPopupMenu.get();
  } else if (from == text_page_.RichEditURL().hwnd()) {
    menu = TextPopupMenu.get();
  }
  if (!menu) return false;
  POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  if (at.x == -1 && at.y == -1) GetCursorPos(&at);  // opened from the keyboard
  menu->Popup(at, wnd_);
  return true;
}

}  // namespace zk
