#include "desktop/task_tray.h"

#include <algorithm>
#include <iterator>
#include <random>

#include "base/text.h"
#include "base/win_class.h"
#include "base/win_text.h"
#include "desktop/tray_rules.h"

namespace zk {

// The record with the balloon fields, the full record of its version.
static_assert(sizeof(void*) != 4 || NOTIFYICONDATAW_V2_SIZE == 936);

namespace {

constexpr DWORD kRecordSize = NOTIFYICONDATAW_V2_SIZE;

// Process-wide: the icons listed, the hidden window and the guard against
// nested notifications.
TrayIconIds g_ids;
HWND g_notify_window = nullptr;
bool g_in_notification = false;

}  // namespace

struct TrayNotifyRouter {
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kTrayCallbackMessage) {
      auto* tray = static_cast<TTaskTray*>(const_cast<void*>(g_ids.HolderOf(static_cast<int>(wp))));
      if (tray && !g_in_notification) {
        g_in_notification = true;
        struct Reset {
          ~Reset() { g_in_notification = false; }
        } reset;
        tray->HandleNotification(static_cast<UINT>(lp));
      }
      return 0;
    }
    if (msg == WM_NCDESTROY && wnd == g_notify_window) g_notify_window = nullptr;
    return DefWindowProcW(wnd, msg, wp, lp);
  }

  static HWND Ensure(HWND owner) {
    if (g_notify_window) return g_notify_window;
    HINSTANCE inst = GetModuleHandleW(nullptr);
    EnsureWindowClass({kNotifyWindowClass, WndProc});
    // Placed in the owner window, so it goes with it; without an owner it is
    // a message-only window.
    HWND parent = owner && IsWindow(owner) ? owner : HWND_MESSAGE;
    g_notify_window = CreateWindowExW(0, kNotifyWindowClass, L"", parent == HWND_MESSAGE ? 0 : WS_CHILD, 0, 0, 0, 0,
                                      parent, nullptr, inst, nullptr);
    return g_notify_window;
  }
};

EInvalidOperation::EInvalidOperation(const std::u16string& message)
    : std::runtime_error(Utf16ToUtf8(message)), message_(message) {}

TTaskTray::TTaskTray(HWND owner) : owner_(owner), id_(g_ids.Next()) { g_ids.Add(id_, this); }

TTaskTray::~TTaskTray() {
  RemoveFromTray();
  g_ids.Remove(this);
  SetMenu(popup_l_, nullptr);
  SetMenu(popup_r_, nullptr);
}

HWND TTaskTray::NotifyWindow() { return g_notify_window; }

void TTaskTray::SetMenu(PopupMenu*& slot, PopupMenu* menu) {
  PopupMenu* old = slot;
  if (old == menu) return;
  slot = menu;
  if (old && old != popup_l_ && old != popup_r_) old->RemoveDestroyListener(this);
  if (menu) {
    menu->AddDestroyListener(this, [this, menu] {
      if (popup_l_ == menu) popup_l_ = nullptr;
      if (popup_r_ == menu) popup_r_ = nullptr;
    });
  }
}

void TTaskTray::SetTipString(const std::u16string& tip) {
  if (tip == tip_) return;
  tip_ = tip;
  UpdateTray();
}

void TTaskTray::SetIcon(HICON icon) {
  if (!icon) {
    RemoveFromTray();
    icon_.reset();
    return;
  }
  icon_.reset(CopyIcon(icon));
  UpdateTray();
}

void TTaskTray::SetIconID(int id) {
  if (id <= 0) throw EInvalidOperation(u"0以下は指定できません");
  if (id == id_) return;
  if (const void* holder = g_ids.HolderOf(id); holder && holder != this)
    throw EInvalidOperation(u"同じアイコン識別子が有ります");
  const bool was_registered = registered_;
  if (was_registered) RemoveFromTray();  // the icon comes back under the new identifier
  registered_ = was_registered;
  id_ = id;
  g_ids.Replace(this, id);
  UpdateTray();
}

void TTaskTray::SetRegistered(bool registered) {
  if (registered == registered_) return;
  if (!registered) {
    RemoveFromTray();
    return;
  }
  if (!icon_) throw EInvalidOperation(u"アイコンが指定されていません");
  registered_ = true;
  UpdateTray();
}

void TTaskTray::UpdateTray() {
  if (!registered_) return;
  HWND notify = TrayNotifyRouter::Ensure(owner_);
  if (!record_ready_ || !added_) {
    record_.cbSize = kRecordSize;
    record_.hWnd = notify;
    record_.uCallbackMessage = kTrayCallbackMessage;
    record_ready_ = true;
  }
  record_.uID = static_cast<UINT>(id_);
  record_.uFlags = NIF_MESSAGE | NIF_ICON | (tip_.empty() ? 0 : NIF_TIP);
  record_.hIcon = icon_.get();
  const std::u16string tip = TrayTipText(tip_);
  std::fill(std::begin(record_.szTip), std::end(record_.szTip), L'\0');
  std::copy(tip.begin(), tip.end(), record_.szTip);

  static std::minstd_rand random(GetTickCount());
  const DWORD operation = added_ ? NIM_MODIFY : NIM_ADD;
  const bool done = CallTrayRetrying(
      [&] {
        if (Shell_NotifyIconW(operation, &record_)) return TrayCall::kDone;
        return GetLastError() == ERROR_TIMEOUT ? TrayCall::kTimedOut : TrayCall::kDone;
      },
      [](unsigned ms) { Sleep(ms); }, [] { return static_cast<unsigned>(random()); });
  if (!done) throw EInvalidOperation(u"タスクトレイに登録できません");
  // A failure other than a time-out counts as added, so that the next
  // change tries a modification and removal is attempted.
  added_ = true;
}

void TTaskTray::RemoveFromTray() {
  if (added_) Shell_NotifyIconW(NIM_DELETE, &record_);
  added_ = false;
  registered_ = false;
}

void TTaskTray::HandleNotification(UINT mouse_message) {
  POINT at{};
  GetCursorPos(&at);
  switch (mouse_message) {
    case WM_MOUSEMOVE:
      if (OnMouseMove) OnMouseMove(*this, 0, at.x, at.y);
      break;
    case WM_LBUTTONDOWN: MouseDown(mbLeft, ssLeft, at); break;
    case WM_RBUTTONDOWN: MouseDown(mbRight, ssRight, at); break;
    case WM_MBUTTONDOWN: MouseDown(mbMiddle, ssMiddle, at); break;
    case WM_LBUTTONUP:
      if (OnMouseUp) OnMouseUp(*this, mbLeft, ssLeft, at.x, at.y);
      break;
    case WM_RBUTTONUP:
      if (OnMouseUp) OnMouseUp(*this, mbRight, ssRight, at.x, at.y);
      break;
    case WM_MBUTTONUP:
      if (OnMouseUp) OnMouseUp(*this, mbMiddle, ssMiddle, at.x, at.y);
      break;
    case WM_LBUTTONDBLCLK:
      if (OnDblClick) OnDblClick(*this, mbLeft);
      break;
    case WM_RBUTTONDBLCLK:
      if (OnDblClick) OnDblClick(*this, mbRight);
      break;
  }
}

void TTaskTray::MouseDown(TMouseButton button, TShiftState shift, POINT at) {
  if (owner_ && IsWindow(owner_)) {
    // The owner in front, and its pending messages run, so that the menu
    // closes when the user clicks elsewhere.
    SetForegroundWindow(owner_);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (OnMouseDown) OnMouseDown(*this, button, shift, at.x, at.y);
  PopupMenu* menu = button == mbLeft ? popup_l_ : button == mbRight ? popup_r_ : nullptr;
  if (menu) menu->Popup(at, owner_ && IsWindow(owner_) ? owner_ : g_notify_window);
}

}  // namespace zk
