#include "image/image_control.h"

#include <algorithm>

#include "base/win_class.h"

namespace zk {
namespace {
constexpr wchar_t kClassName[] = L"ZarvikImage";
}

ImageControl::~ImageControl() {
  if (wnd_) DestroyWindow(wnd_);
}

bool ImageControl::Create(HWND parent, int id) {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  EnsureWindowClass({kClassName, WndProc, CS_DBLCLKS});
  wnd_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), inst, this);
  return wnd_ != nullptr;
}

void ImageControl::SetPicture(UniqueBitmap bitmap) {
  bitmap_ = std::move(bitmap);
  BITMAP bm{};
  if (bitmap_ && GetObjectW(bitmap_.get(), sizeof(bm), &bm)) size_ = {bm.bmWidth, bm.bmHeight};
  else size_ = {0, 0};
  Invalidate();
}

void ImageControl::ClearPicture() { SetPicture(UniqueBitmap()); }

void ImageControl::SetVisible(bool visible) {
  if (wnd_) ShowWindow(wnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool ImageControl::visible() const { return wnd_ && (GetWindowLongW(wnd_, GWL_STYLE) & WS_VISIBLE); }

void ImageControl::Invalidate() {
  if (wnd_) InvalidateRect(wnd_, nullptr, FALSE);
}

void ImageControl::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(wnd_, &ps);
  RECT rc;
  GetClientRect(wnd_, &rc);
  if (bitmap_) {
    UniqueMemoryDc mem(CreateCompatibleDC(dc));
    SelectGuard sel(mem.get(), bitmap_.get());
    if (stretch) {
      SetStretchBltMode(dc, HALFTONE);
      StretchBlt(dc, 0, 0, rc.right, rc.bottom, mem.get(), 0, 0, size_.cx, size_.cy, SRCCOPY);
    } else {
      BitBlt(dc, 0, 0, size_.cx, size_.cy, mem.get(), 0, 0, SRCCOPY);
      // Whatever the picture does not cover shows the parent's background.
      HBRUSH back = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(wnd_), WM_CTLCOLORSTATIC,
                                                          reinterpret_cast<WPARAM>(dc),
                                                          reinterpret_cast<LPARAM>(wnd_)));
      if (!back) back = GetSysColorBrush(COLOR_BTNFACE);
      if (rc.right > size_.cx) {
        RECT r{size_.cx, 0, rc.right, rc.bottom};
        FillRect(dc, &r, back);
      }
      if (rc.bottom > size_.cy) {
        RECT r{0, size_.cy, std::min<LONG>(size_.cx, rc.right), rc.bottom};
        FillRect(dc, &r, back);
      }
    }
  } else {
    HBRUSH back = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(wnd_), WM_CTLCOLORSTATIC,
                                                        reinterpret_cast<WPARAM>(dc),
                                                        reinterpret_cast<LPARAM>(wnd_)));
    FillRect(dc, &rc, back ? back : GetSysColorBrush(COLOR_BTNFACE));
  }
  EndPaint(wnd_, &ps);
}

LRESULT CALLBACK ImageControl::WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<ImageControl*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  switch (msg) {
    case WM_NCCREATE: {
      auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
      SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
      break;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (self) {
        self->OnPaint();
        return 0;
      }
      break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
      // The main window decides what these do.
      return SendMessageW(GetParent(wnd), msg, wp, lp);
    case WM_NCDESTROY:
      if (self) self->wnd_ = nullptr;
      SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
      break;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

}  // namespace zk
