// A single-line edit field (a thin owner of an EDIT control).
#pragma once

#include <windows.h>

#include <string>

#include "app/controls/child_window.h"
#include "base/win_text.h"

namespace zk {

class EditBox {
 public:
  bool Create(HWND parent, Bounds b, int id, HFONT font) {
    wnd_ = CreateChild(parent, L"EDIT", L"", WS_TABSTOP | ES_AUTOHSCROLL, b, id, font, WS_EX_CLIENTEDGE);
    return wnd_ != nullptr;
  }
  HWND hwnd() const { return wnd_; }
  std::u16string Text() const { return WindowText(wnd_); }
  // Raises EN_CHANGE, as typing does.
  void SetText(const std::u16string& text) { SetWindowTextW(wnd_, W(text)); }

 private:
  HWND wnd_ = nullptr;
};

}  // namespace zk
