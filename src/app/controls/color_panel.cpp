#include "app/controls/color_panel.h"

#include "app/controls/scroll_box.h"
#include "base/win_handles.h"

namespace zk {

bool ColorPanel::Create(HWND parent, const std::wstring& caption, Bounds b, int id, HFONT font) {
  wnd_ = CreateChild(parent, L"BUTTON", caption, WS_TABSTOP | BS_OWNERDRAW, b, id, font);
  SetColor(color_);
  return wnd_ != nullptr;
}

void ColorPanel::SetColor(Color c) {
  color_ = c;
  // The low 24 bits of the colour as drawn, inverted (a system colour is
  // resolved first: inverting its index would name no colour at all).
  caption_color_ = ColorToRgb(c) ^ 0xFFFFFF;
  if (wnd_) InvalidateRect(wnd_, nullptr, TRUE);
}

bool ColorPanel::Draw(const DRAWITEMSTRUCT& item) const {
  if (!wnd_ || item.hwndItem != wnd_) return false;
  RECT rc = item.rcItem;
  HDC dc = item.hDC;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  DrawEdge(dc, &rc, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
  UniqueBrush fill(CreateSolidBrush(ColorToRgb(color_)));
  FillRect(dc, &rc, fill.get());

  wchar_t text[128];
  GetWindowTextW(wnd_, text, 128);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, caption_color_);
  if (pressed) OffsetRect(&rc, 1, 1);
  UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (item.itemState & ODS_NOACCEL) flags |= DT_HIDEPREFIX;
  DrawTextW(dc, text, -1, &rc, flags);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = rc;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
  return true;
}

}  // namespace zk
