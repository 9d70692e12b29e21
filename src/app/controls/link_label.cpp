#include "app/controls/link_label.h"

#include "base/win_class.h"
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
  LOGFONTW lf{};
  if (font && GetObjectW(font, sizeof(lf), &lf)) {
    lf.lfUnderline = TRUE;
    font_.reset(CreateFontIndirectW(&lf));
  }
  EnsureWindowClass({kClassName, WndProc, 0, LoadCursorW(nullptr, IDC_HAND)});
  wnd_ = CreateWindowExW(0, kClassName, W(caption), WS_CHILD | WS_VISIBLE, b.left, b.top, b.right - b.left,
                         b.bottom - b.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), this);
  return wnd_ != nullptr;
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

void LinkLabel::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(wnd_, &ps);
  RECT rc;
  GetClientRect(wnd_, &rc);
  HBRUSH back = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(wnd_), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(wnd_)));
  FillRect(dc, &rc, back ? back : GetSysColorBrush(COLOR_BTNFACE));
  std::u16string caption = WindowText(wnd_);
  SelectGuard sel(dc, font_ ? static_cast<HGDIOBJ>(font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, TextColor());
  DrawTextW(dc, W(caption), -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  EndPaint(wnd_, &ps);
}

LRESULT CALLBACK LinkLabel::WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<LinkLabel*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    self = static_cast<LinkLabel*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->wnd_ = wnd;
  }
  if (!self) return DefWindowProcW(wnd, msg, wp, lp);
  switch (msg) {
    case WM_PAINT:
      self->OnPaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
      self->SetHot(true);
      return 0;
    case WM_MOUSELEAVE:
      self->SetHot(false);
      return 0;
    case WM_LBUTTONDOWN:
      self->pressed_ = true;
      return 0;
    case WM_LBUTTONUP:
      if (self->pressed_) {
        self->pressed_ = false;
        if (self->on_click) self->on_click();
      }
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
      self->wnd_ = nullptr;
      break;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

}  // namespace zk
