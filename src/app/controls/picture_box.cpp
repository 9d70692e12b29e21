#include "app/controls/picture_box.h"

#include "base/win_class.h"

namespace zk {
namespace {
constexpr wchar_t kClassName[] = L"ZarvikPictureBox";
}

PictureBox::~PictureBox() {
  if (wnd_) DestroyWindow(wnd_);
}

bool PictureBox::Create(HWND parent, int id, const RECT& b) {
  EnsureWindowClass({kClassName, WndProc, 0});
  wnd_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, b.left, b.top, b.right - b.left,
                         b.bottom - b.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), this);
  return wnd_ != nullptr;
}

void PictureBox::SetPicture(UniqueBitmap bitmap) {
  bitmap_ = std::move(bitmap);
  if (wnd_) InvalidateRect(wnd_, nullptr, FALSE);
}

void PictureBox::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(wnd_, &ps);
  RECT rc;
  GetClientRect(wnd_, &rc);
  HBRUSH back = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(wnd_), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(wnd_)));
  FillRect(dc, &rc, back ? back : GetSysColorBrush(COLOR_BTNFACE));
  BITMAP bm{};
  if (bitmap_ && GetObjectW(bitmap_.get(), sizeof(bm), &bm)) {
    UniqueMemoryDc mem(CreateCompatibleDC(dc));
    SelectGuard sel(mem.get(), bitmap_.get());
    BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, mem.get(), 0, 0, SRCCOPY);
  }
  EndPaint(wnd_, &ps);
}

LRESULT CALLBACK PictureBox::WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<PictureBox*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    self = static_cast<PictureBox*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
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
    case WM_LBUTTONDOWN:
      self->pressed_ = true;
      return 0;
    case WM_LBUTTONUP:
      // A click is a press and a release on the picture.
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
