// The status bar with its panels (a thin owner of a msctls_statusbar32).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "base/win_text.h"

namespace zk {

class StatusBar {
 public:
  bool Create(HWND parent, int id, const std::vector<int>& widths) {
    wnd_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                           parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
    if (!wnd_) return false;
    SetWidths(widths);
    return true;
  }
  // The panels' widths; the last panel takes the rest of the bar.
  void SetWidths(const std::vector<int>& widths) {
    if (!wnd_) return;
    std::vector<int> edges;
    int x = 0;
    for (size_t i = 0; i < widths.size(); ++i) {
      x += widths[i];
      edges.push_back(i + 1 == widths.size() ? -1 : x);
    }
    SendMessageW(wnd_, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  }
  HWND hwnd() const { return wnd_; }

  void SetText(int panel, const std::u16string& text) {
    if (wnd_) SendMessageW(wnd_, SB_SETTEXTW, panel, reinterpret_cast<LPARAM>(W(text)));
  }
  std::u16string Text(int panel) const {
    if (!wnd_) return {};
    LRESULT r = SendMessageW(wnd_, SB_GETTEXTLENGTHW, panel, 0);
    std::wstring buf(LOWORD(r) + 1, L'\0');
    SendMessageW(wnd_, SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(buf.data()));
    buf.resize(LOWORD(r));
    return FromWide(buf);
  }
  int Height() const {
    RECT rc{};
    if (wnd_) GetWindowRect(wnd_, &rc);
    return rc.bottom - rc.top;
  }
  void OnParentSize() {
    if (wnd_) SendMessageW(wnd_, WM_SIZE, 0, 0);
  }

 private:
  HWND wnd_ = nullptr;
};

}  // namespace zk
