// A hot-key field (a thin owner of a msctls_hotkey32): the user presses the
// key combination and the field shows and keeps it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "app/controls/child_window.h"

namespace zk {

class HotKeyField {
 public:
  bool Create(HWND parent, Bounds b, int id, HFONT font) {
    wnd_ = CreateChild(parent, HOTKEY_CLASSW, L"", WS_TABSTOP, b, id, font, WS_EX_CLIENTEDGE);
    if (!wnd_) return false;
    // A key without a modifier, or with Shift alone, would take the key from
    // every other program: Alt is added to it.
    SendMessageW(wnd_, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_ALT, 0));
    return true;
  }
  HWND hwnd() const { return wnd_; }
  // The key in the low byte, HOTKEYF_ modifiers in the high byte.
  uint16_t Value() const { return static_cast<uint16_t>(SendMessageW(wnd_, HKM_GETHOTKEY, 0, 0)); }
  void SetValue(uint16_t value) { SendMessageW(wnd_, HKM_SETHOTKEY, value, 0); }

 private:
  HWND wnd_ = nullptr;
};

}  // namespace zk
