#include "image/image_control.h"

#include <algorithm>

#include "base/win_class.h"

namespace zk {
namespace {
constexpr wchar_t kClassName[] = L"ZarvikImage";
constexpr UINT_PTR kAnimationTimer = 1;
// Stretched pictures up to this many pixels are drawn once and then copied;
// larger ones (zoomed far in) are stretched on every paint.
constexpr int64_t kMaxCachedPixels = int64_t{8} << 20;
}  // namespace

ImageControl::~ImageControl() {
  if (wnd_) DestroyWindow(wnd_);
}

bool ImageControl::Create(HWND parent, int id) {
  EnsureWindowClass({kClassName, Procedure, CS_DBLCLKS});
  return CreateFor(0, kClassName, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent, ChildId(id)) != nullptr;
}

void ImageControl::SetPicture(std::unique_ptr<Picture> picture) {
  Animate(false);
  picture_ = std::move(picture);
  DropCache();
  Invalidate();
}

void ImageControl::SetPicture(UniqueBitmap bitmap) {
  SetPicture(bitmap ? MakeBitmapPicture(std::move(bitmap)) : nullptr);
}

void ImageControl::ClearPicture() { SetPicture(std::unique_ptr<Picture>()); }

void ImageControl::Animate(bool on) {
  if (wnd_) KillTimer(wnd_, kAnimationTimer);
  animating_ = false;
  if (!on || !picture_ || !wnd_) return;
  const int delay = picture_->FirstDelay();
  if (delay < 0) return;
  animating_ = SetTimer(wnd_, kAnimationTimer, static_cast<UINT>(delay), nullptr) != 0;
}

void ImageControl::OnTimer() {
  KillTimer(wnd_, kAnimationTimer);
  if (!animating_ || !picture_) return;
  const int delay = picture_->NextFrame();
  Invalidate();  // the same cache memory takes the next frame
  animating_ = delay >= 0 && SetTimer(wnd_, kAnimationTimer, static_cast<UINT>(delay), nullptr) != 0;
}

void ImageControl::SetVisible(bool visible) {
  if (wnd_) ShowWindow(wnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool ImageControl::visible() const { return wnd_ && (GetWindowLongW(wnd_, GWL_STYLE) & WS_VISIBLE); }

void ImageControl::Invalidate() {
  cache_current_ = false;  // what is drawn changed: the picture, its frame or the colour around it
  if (wnd_) InvalidateRect(wnd_, nullptr, FALSE);
}

void ImageControl::PaintBackground(HDC dc, const RECT& rect) {
  // The scroll box's colour shows around and through the picture.
  FillWithParentColor(dc, rect);
}

void ImageControl::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(wnd_, &ps);
  RECT rc;
  GetClientRect(wnd_, &rc);
  if (!picture_) {
    PaintBackground(dc, rc);
  } else if (stretch) {
    const int64_t area = int64_t{rc.right} * rc.bottom;
    if (area > 0 && area <= kMaxCachedPixels) {
      try {
        if (!cache_.bitmap || cache_.width != rc.right || cache_.height != rc.bottom) {
          cache_ = CreateDibSection24(rc.right, rc.bottom);
          cache_current_ = false;
        }
        if (!cache_current_) {
          UniqueMemoryDc mem(CreateCompatibleDC(dc));
          SelectGuard select(mem.get(), cache_.bitmap.get());
          PaintBackground(mem.get(), rc);
          picture_->Draw(mem.get(), rc);
          cache_current_ = true;
        }
      } catch (const std::bad_alloc&) {
        cache_ = {};
      }
    }
    if (cache_.bitmap) {
      UniqueMemoryDc mem(CreateCompatibleDC(dc));
      SelectGuard select(mem.get(), cache_.bitmap.get());
      BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
             ps.rcPaint.bottom - ps.rcPaint.top, mem.get(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
    } else {
      PaintBackground(dc, ps.rcPaint);
      picture_->Draw(dc, rc);
    }
  } else {
    const SIZE size = picture_->Size();
    int x = 0, y = 0;
    if (center) {
      x = std::max<LONG>(0, (rc.right - size.cx) / 2);
      y = std::max<LONG>(0, (rc.bottom - size.cy) / 2);
    }
    // Only the uncovered parts get the background, so the picture does not flicker.
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, x, y, x + size.cx, y + size.cy);
    PaintBackground(dc, rc);
    RestoreDC(dc, saved);
    PaintBackground(dc, RECT{x, y, x + size.cx, y + size.cy});  // behind transparent parts
    picture_->Draw(dc, RECT{x, y, x + size.cx, y + size.cy});
  }
  EndPaint(wnd_, &ps);
}

void ImageControl::OnMouse(UINT msg, WPARAM wp, LPARAM lp) {
  // The control keeps the mouse while any button is held, so a drag that
  // leaves it still reaches it.
  const WPARAM buttons = wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON);
  if (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_MBUTTONDOWN) SetCapture(wnd_);
  else if ((msg == WM_LBUTTONUP || msg == WM_RBUTTONUP || msg == WM_MBUTTONUP) && !buttons && GetCapture() == wnd_)
    ReleaseCapture();
  if (on_mouse) on_mouse(msg, wp, POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
}

LRESULT ImageControl::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_SIZE:
      DropCache();
      break;
    case WM_TIMER:
      if (wp == kAnimationTimer) {
        OnTimer();
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
      OnMouse(msg, wp, lp);
      return 0;
    case WM_RBUTTONUP:
      // Handled as well by the platform, which then asks for the context menu.
      OnMouse(msg, wp, lp);
      break;
    case WM_LBUTTONDBLCLK:
      if (on_double_click) {
        on_double_click();
        return 0;
      }
      return SendMessageW(GetParent(wnd_), msg, wp, lp);
    case WM_CONTEXTMENU:
      return SendMessageW(GetParent(wnd_), msg, wp, lp);
    case WM_NCDESTROY:
      animating_ = false;
      break;
  }
  return DefWindowProcW(wnd_, msg, wp, lp);
}

}  // namespace zk
