#include "app/controls/click_control.h"

#include "base/win_class.h"

namespace zk {

bool ClickControl::CreateControl(const wchar_t* class_name, HCURSOR cursor, HWND parent, int id, const RECT& b,
                                 const wchar_t* caption) {
  EnsureWindowClass({class_name, Procedure, 0, cursor});
  return CreateFor(0, class_name, caption, WS_CHILD | WS_VISIBLE, b.left, b.top, b.right - b.left, b.bottom - b.top,
                   parent, ChildId(id)) != nullptr;
}

void ClickControl::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(wnd_, &ps);
  RECT rc;
  GetClientRect(wnd_, &rc);
  FillWithParentColor(dc, rc);
  Paint(dc, rc);
  EndPaint(wnd_, &ps);
}

LRESULT ClickControl::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      return 0;
    case WM_LBUTTONUP:
      // A click is a press and a release on the control.
      if (pressed_) {
        pressed_ = false;
        if (on_click) on_click();
      }
      return 0;
  }
  return DefWindowProcW(wnd_, msg, wp, lp);
}

}  // namespace zk
