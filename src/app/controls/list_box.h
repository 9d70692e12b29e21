// A list box in which several entries can be selected (a thin owner of a
// LISTBOX with extended selection).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/controls/child_window.h"
#include "base/win_text.h"

namespace zk {

class MultiSelectListBox {
 public:
  bool Create(HWND parent, Bounds b, int id, HFONT font) {
    wnd_ = CreateChild(parent, L"LISTBOX", L"",
                       WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT, b, id, font,
                       WS_EX_CLIENTEDGE);
    return wnd_ != nullptr;
  }
  HWND hwnd() const { return wnd_; }

  int Count() const { return static_cast<int>(SendMessageW(wnd_, LB_GETCOUNT, 0, 0)); }
  std::u16string Item(int i) const {
    LRESULT n = SendMessageW(wnd_, LB_GETTEXTLEN, i, 0);
    if (n == LB_ERR) return {};
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    n = SendMessageW(wnd_, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(n == LB_ERR ? 0 : static_cast<size_t>(n));
    return FromWide(buf);
  }
  std::vector<std::u16string> Items() const {
    std::vector<std::u16string> items;
    for (int i = 0, n = Count(); i < n; ++i) items.push_back(Item(i));
    return items;
  }
  void SetItems(const std::vector<std::u16string>& items) {
    SendMessageW(wnd_, LB_RESETCONTENT, 0, 0);
    for (const auto& s : items) Add(s);
  }
  void Add(const std::u16string& s) { SendMessageW(wnd_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(s))); }
  void Delete(int i) { SendMessageW(wnd_, LB_DELETESTRING, i, 0); }

  bool Selected(int i) const { return SendMessageW(wnd_, LB_GETSEL, i, 0) > 0; }
  void SetSelected(int i, bool on) { SendMessageW(wnd_, LB_SETSEL, on ? TRUE : FALSE, i); }
  int SelCount() const {
    LRESULT n = SendMessageW(wnd_, LB_GETSELCOUNT, 0, 0);
    return n == LB_ERR ? 0 : static_cast<int>(n);
  }

 private:
  HWND wnd_ = nullptr;
};

}  // namespace zk
