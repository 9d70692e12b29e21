#include "app/controls/link_label.h"

#include "base/win_text.h"

namespace zk {
namespace {
constexpr wchar_t kClassName[] = L"ZarvikLinkLabel";
constexpr COLORREF kLinkBlue = RGB(0, 0, 255);
constexpr COLORREF kLinkHot = RGB(0, 255, 255);
}  // namespace

LinkLabel::~LinkLabel() {
  if (wnd_) DestroyWindow(wnd_);
}

bool LinkLabel::Create(HWND parent, int id, const RECT& b, const std::u16string& caption, HFONT font) {
  SetFont(font);
  return CreateControl(kClassName, LoadCursorW(nullptr, IDC_HAND), parent, id, b, W(caption));
}

void LinkLabel::SetFont(HFONT font) {
  LOGFONTW lf{};
  if (!font || !GetObjectW(font, sizeof(lf), &lf)) return;
  lf.lfUnderline = TRUE;
  UniqueFont underlined(CreateFontIndirectW(&lf));
  if (!underlined) return;
  font_ = std::move(underlined);
  given_font_ = font;
}

COLORREF LinkLabel::TextColor() const { return hot_ ? kLinkHot : kLinkBlue; }

void LinkLabel::SetHot(bool hot) {
  if (hot_ == hot) return;
  hot_ = hot;
  if (hot) {
    // Told when the mouse leaves, so the colour goes back.
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, wnd_, 0};
    TrackMouseEvent(&tme);
  }
  InvalidateRect(wnd_, nullptr, TRUE);
}

void LinkLabel::Paint(HDC dc, const RECT& client) {
  std::u16string caption = WindowText(wnd_);
  SelectGuard sel(dc, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, TextColor());
  RECT rc = client;
  DrawTextW(dc, W(caption), -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT LinkLabel::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_MOUSEMOVE:
      SetHot(true);
      return 0;
    case WM_MOUSELEAVE:
      SetHot(false);
      return 0;
    case WM_SETFONT:
      SetFont(reinterpret_cast<HFONT>(wp));
      if (LOWORD(lp)) InvalidateRect(wnd_, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(given_font_);
  }
  return ClickControl::OnMessage(msg, wp, lp);
}

}  // namespace zk
