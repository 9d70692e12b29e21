// A check box (a thin owner of an auto-check BUTTON).
#pragma once

#include <windows.h>

#include <string>

#include "app/controls/child_window.h"

namespace zk {

class CheckBox {
 public:
  bool Create(HWND parent, const std::wstring& caption, Bounds b, int id, HFONT font) {
    wnd_ = CreateChild(parent, L"BUTTON", caption, WS_TABSTOP | BS_AUTOCHECKBOX, b, id, font);
    return wnd_ != nullptr;
  }
  HWND hwnd() const { return wnd_; }
  bool checked() const { return SendMessageW(wnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void SetChecked(bool on) { SendMessageW(wnd_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

 private:
  HWND wnd_ = nullptr;
};

}  // namespace zk
