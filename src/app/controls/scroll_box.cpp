#include "app/controls/scroll_box.h"

#include <algorithm>

#include "app/controls/container.h"
#include "image/image_control.h"

namespace zk {

COLORREF ColorToRgb(Color c) {
  if (IsSystemColor(c)) return GetSysColor(SystemColorIndex(c));
  return static_cast<COLORREF>(c) & 0xFFFFFF;
}

bool ScrollBox::Create(HWND parent, int id) {
  wnd_ = CreateContainer(parent, id, WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, &ScrollBox::Handle, this);
  SetColor(color_);
  return wnd_ != nullptr;
}

COLORREF ScrollBox::ColorRef() const { return ColorToRgb(color_); }

void ScrollBox::SetColor(Color color) {
  color_ = color;
  brush_.reset(CreateSolidBrush(ColorRef()));
  if (wnd_) InvalidateRect(wnd_, nullptr, TRUE);
  if (image_) image_->Invalidate();
}

void ScrollBox::Layout() {
  if (!wnd_) return;
  // Scroll bars come and go with the layout; measure without them first.
  RECT rc;
  GetClientRect(wnd_, &rc);
  LONG style = GetWindowLongW(wnd_, GWL_STYLE);
  int cw = rc.right + ((style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0);
  int ch = rc.bottom + ((style & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0);

  const bool fill = !image_ || image_->fill_parent;
  int left = 0, top = 0, w = 0, h = 0;
  if (!fill) {
    const SIZE s = image_->ControlSize();
    left = image_->left;
    top = image_->top;
    w = s.cx;
    h = s.cy;
  }
  // The scroll range reaches the control's far edges.
  const int extent_x = std::max(0, left + w), extent_y = std::max(0, top + h);
  bool hbar = false, vbar = false;
  if (!fill && auto_scroll) {
    hbar = extent_x > cw;
    vbar = extent_y > ch;
    if (hbar && !vbar) vbar = extent_y > ch - GetSystemMetrics(SM_CYHSCROLL);
    if (vbar && !hbar) hbar = extent_x > cw - GetSystemMetrics(SM_CXVSCROLL);
  }
  int vw = cw - (vbar ? GetSystemMetrics(SM_CXVSCROLL) : 0);
  int vh = ch - (hbar ? GetSystemMetrics(SM_CYHSCROLL) : 0);

  pos_.x = hbar ? std::clamp<LONG>(pos_.x, 0, extent_x - vw) : 0;
  pos_.y = vbar ? std::clamp<LONG>(pos_.y, 0, extent_y - vh) : 0;

  SCROLLINFO si{sizeof(si), SIF_ALL | SIF_DISABLENOSCROLL};
  si.nMin = 0;
  si.nMax = hbar ? extent_x - 1 : 0;
  si.nPage = hbar ? vw : 0;
  si.nPos = pos_.x;
  ShowScrollBar(wnd_, SB_HORZ, hbar);
  if (hbar) SetScrollInfo(wnd_, SB_HORZ, &si, TRUE);
  si.nMax = vbar ? extent_y - 1 : 0;
  si.nPage = vbar ? vh : 0;
  si.nPos = pos_.y;
  ShowScrollBar(wnd_, SB_VERT, vbar);
  if (vbar) SetScrollInfo(wnd_, SB_VERT, &si, TRUE);

  if (!image_ || !image_->hwnd()) return;
  GetClientRect(wnd_, &rc);
  if (fill) {
    MoveWindow(image_->hwnd(), 0, 0, rc.right, rc.bottom, TRUE);
    return;
  }
  MoveWindow(image_->hwnd(), left - pos_.x, top - pos_.y, w, h, TRUE);
}

SIZE ScrollBox::ClientSize() const {
  RECT rc{};
  if (wnd_) GetClientRect(wnd_, &rc);
  return {rc.right, rc.bottom};
}

void ScrollBox::ScrollTo(int x, int y) {
  pos_ = {x, y};
  Layout();
}

void ScrollBox::OnScroll(int bar, WPARAM wp) {
  SCROLLINFO si{sizeof(si), SIF_ALL};
  GetScrollInfo(wnd_, bar, &si);
  int pos = si.nPos;
  switch (LOWORD(wp)) {
    case SB_LINEUP: pos -= 16; break;
    case SB_LINEDOWN: pos += 16; break;
    case SB_PAGEUP: pos -= static_cast<int>(si.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(si.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  if (bar == SB_HORZ) ScrollTo(pos, pos_.y);
  else ScrollTo(pos_.x, pos);
}

bool ScrollBox::Handle(void* self, HWND wnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  auto* box = static_cast<ScrollBox*>(self);
  if (msg == WM_NCCREATE) box->wnd_ = wnd;
  return box->OnMessage(msg, wp, lp, result);
}

bool ScrollBox::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  switch (msg) {
    case WM_ERASEBKGND: {
      RECT rc;
      GetClientRect(wnd_, &rc);
      FillRect(reinterpret_cast<HDC>(wp), &rc, brush_.get());
      *result = 1;
      return true;
    }
    case WM_CTLCOLORSTATIC:
      *result = reinterpret_cast<LRESULT>(brush_.get());
      return true;
    case WM_SIZE:
      Layout();
      return false;
    case WM_HSCROLL:
      OnScroll(SB_HORZ, wp);
      *result = 0;
      return true;
    case WM_VSCROLL:
      OnScroll(SB_VERT, wp);
      *result = 0;
      return true;
    case WM_LBUTTONDBLCLK:
      if (!on_double_click) return false;
      on_double_click();
      *result = 0;
      return true;
    case WM_NCDESTROY:
      wnd_ = nullptr;
      return false;
  }
  return false;
}

}  // namespace zk
