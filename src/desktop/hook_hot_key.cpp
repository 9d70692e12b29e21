#include "desktop/hook_hot_key.h"

#include <exception>

#include "base/text.h"
#include "base/win_class.h"
#include "base/win_text.h"
#include "desktop/tray_rules.h"

namespace zk {
namespace {

constexpr wchar_t kClassName[] = L"THookHotKeyWindow";

}  // namespace

THookHotKey::THookHotKey(HWND owner) : owner_(owner) {
  EnsureWindowClass({kClassName, Procedure});
  CreateFor(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
}

THookHotKey::~THookHotKey() {
  if (!wnd_) return;
  for (int id : registered_) UnregisterHotKey(wnd_, id);
  DestroyWindow(wnd_);
}

bool THookHotKey::RegisterHotKeyId(int id, uint16_t shortcut) {
  if (!wnd_) return false;
  const HotKeyCode code = HotKeyOf(shortcut);
  if (!RegisterHotKey(wnd_, id, code.modifiers, code.key)) return false;
  registered_.insert(id);
  return true;
}

bool THookHotKey::UnregisterHotKeyId(int id) {
  if (!wnd_ || !UnregisterHotKey(wnd_, id)) return false;
  registered_.erase(id);
  return true;
}

bool THookHotKey::ChangeHotKey(int id, uint16_t shortcut) {
  const bool withdrawn = UnregisterHotKeyId(id);
  const bool registered = RegisterHotKeyId(id, shortcut);
  return withdrawn && registered;
}

void THookHotKey::HotKey(int id) {
  if (!OnHotKey) return;
  if (Activate && owner_ && IsWindow(owner_)) SetForegroundWindow(owner_);
  try {
    OnHotKey(*this, id);
  } catch (const std::exception& e) {
    const std::wstring message = ToWide(Utf8ToUtf16(e.what()));
    if (OnException)
      OnException(message);
    else
      MessageBoxW(owner_, message.c_str(), nullptr, MB_OK | MB_ICONERROR);
  }
}

LRESULT THookHotKey::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_HOTKEY) {
    HotKey(static_cast<int>(wp));
    return 0;
  }
  return DefWindowProcW(wnd_, msg, wp, lp);
}

}  // namespace zk
