#include "app/window/image_page.h"

#include <stdexcept>
#include <utility>

#include "base/win_files.h"
#include "image/dib_section.h"
#include "image/fit_image.h"
#include "image/picture_clipboard.h"
#include "image/picture_loader.h"
#include "image/smooth_resize.h"
#include "image/zoom.h"

namespace zk {

bool ImagePage::Create(HWND page, int scroll_box_id, int image_id) {
  if (!scroll_box_.Create(page, scroll_box_id) || !image_.Create(scroll_box_.hwnd(), image_id)) return false;
  scroll_box_.SetImage(&image_);
  image_.on_mouse = [this](UINT message, WPARAM keys, POINT at) { OnMouse(message, keys, at); };
  return true;
}

void ImagePage::Layout(int width, int height) { MoveWindow(scroll_box_.hwnd(), 0, 0, width, height, TRUE); }

void ImagePage::Clear() {
  image_.zoom_tag = -1;
  image_.center = true;
  image_.SetVisible(false);
  image_.hint.clear();
  image_.ClearPicture();
  image_.auto_size = true;
  image_.stretch = false;
  image_.fill_parent = false;
  image_.SetBounds(0, 0, 0, 0);
  if (image_.hwnd()) MoveWindow(image_.hwnd(), 0, 0, 0, 0, FALSE);
  scroll_box_.auto_scroll = true;
  scroll_box_.hint.clear();
  scroll_box_.Layout();
}

bool ImagePage::Load(const std::u16string& path) {
  const COLORREF background = scroll_box_.ColorRef();
  std::unique_ptr<Picture> picture;
  if (std::optional<PictureDecoderKind> kind = PictureFormats().FindPictureFormat(PictureExtension(path))) {
    if (*kind == PictureDecoderKind::kWebp) host_.SetStatus(u"Load WebP");
    if (*kind == PictureDecoderKind::kAvif) host_.SetStatus(u"Load AVIF");
    if (*kind == PictureDecoderKind::kWic) host_.SetStatus(u"Load WIC");
    try {
      picture = LoadPictureFile(*kind, path, background);
    } catch (const std::exception&) {
      // Decoding failed: the content-based path below may still know the file.
    }
  }
  if (!picture) {
    // A file that cannot be opened here gets no picture; the text view then
    // reports the read error. Read with full sharing, as a download still
    // being written or a file an editor holds open must be.
    try {
      std::optional<std::string> bytes = ReadWholeFile(path);
      if (!bytes) return false;
      picture = LoadPictureByContent({reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size()}, background);
    } catch (const std::exception&) {
      return false;
    }
  }
  image_.SetPicture(std::move(picture));
  image_.Animate(true);
  return true;
}

void ImagePage::Fit(bool image_center, bool better) {
  if (SuppressFit) return;
  // The status shows the work and gets its text back on every way out.
  struct RestoreStatus {
    Host& host;
    std::u16string text;
    ~RestoreStatus() { host.SetStatus(text); }
  } restore{host_, host_.Status(0)};
  host_.SetStatus(u"Zooming..");
  scroll_box_.auto_scroll = false;
  scroll_box_.Layout();

  FitInput in;
  in.has_picture = image_.HasPicture();
  const SIZE picture = image_.PictureSize();
  const SIZE client = scroll_box_.ClientSize();
  in.picture_width = picture.cx;
  in.picture_height = picture.cy;
  in.client_width = client.cx;
  in.client_height = client.cy;
  in.image_center = image_center;
  in.better = better;
  const FitPlan plan = PlanFit(in);
  if (!plan.sets_layout()) return;

  image_.auto_size = false;
  image_.stretch = plan.stretch;
  if (plan.center) image_.center = true;
  if (plan.moves_control()) image_.SetBounds(plan.bounds.left, plan.bounds.top, plan.bounds.width, plan.bounds.height);
  if (plan.smooth) {
    try {
      DibSection24 copy;
      PixelView source = image_.picture()->Pixels();
      if (source.empty()) {
        copy = PictureToDibSection(*image_.picture(), scroll_box_.ColorRef());
        source = copy.View();
      }
      PixelBuffer reduced = SmoothResize(source, plan.bounds.width, plan.bounds.height);
      image_.SetPicture(MakeBitmapPicture(DibSectionFromPixels(reduced)));
    } catch (const std::bad_alloc&) {
      // Without memory for the copies the picture stays drawn stretched.
    } catch (const std::invalid_argument&) {
    }
  }
  scroll_box_.Layout();
  image_.Invalidate();
}

void ImagePage::Zoom(int tag) {
  const SIZE client = scroll_box_.ClientSize();
  const POINT scroll = scroll_box_.ScrollPos();
  const ZoomPoint before = PointUnderCentre({client.cx, client.cy}, {image_.left - scroll.x, image_.top - scroll.y});
  if (!ZoomAllowed(image_.zoom_tag, tag)) return;

  const SIZE size = image_.ControlSize();
  scroll_box_.auto_scroll = false;
  image_.SetBounds(0, 0, size.cx, size.cy);
  image_.auto_size = false;
  image_.stretch = true;
  scroll_box_.Layout();

  if (tag == kActualSizeTag) {
    image_.auto_size = true;
    SuppressFit = true;
    try {
      host_.ReShow();
    } catch (...) {
      SuppressFit = false;
      throw;
    }
    SuppressFit = false;
    scroll_box_.auto_scroll = false;
    scroll_box_.Layout();
    const SIZE view = scroll_box_.ClientSize();
    const SIZE own = image_.PictureSize();
    const ZoomPoint at = ActualSizePosition({view.cx, view.cy}, {own.cx, own.cy});
    image_.left = at.x;
    image_.top = at.y;
    image_.zoom_tag = kActualSizeExponent;
    scroll_box_.auto_scroll = true;
    scroll_box_.Layout();
    return;
  }
  if (tag == kZoomFitTag) {
    host_.ReShow();
    return;
  }
  const ZoomSize zoomed = ZoomedSize({size.cx, size.cy}, tag);
  image_.width = zoomed.width;
  image_.height = zoomed.height;
  image_.zoom_tag = ZoomedExponent(image_.zoom_tag, tag);
  scroll_box_.auto_scroll = true;
  scroll_box_.Layout();  // the scroll range follows the new size before the positions are set
  const SIZE now = scroll_box_.ClientSize();
  const POINT pos = scroll_box_.ScrollPos();
  const ZoomPoint after = PointUnderCentre({now.cx, now.cy}, {image_.left - pos.x, image_.top - pos.y});
  const ZoomPoint target = ScrollAfterZoom(tag, before, after);
  scroll_box_.ScrollTo(target.x, target.y);
  image_.Invalidate();
}

bool ImagePage::CopyToClipboard(HWND owner) const {
  return !image_.HasPicture() || PutPictureOnClipboard(owner, *image_.picture(), scroll_box_.ColorRef());
}

bool ImagePage::TakePanEndedByRightButton() { return std::exchange(pan_ended_by_right_button_, false); }

void ImagePage::OnMouse(UINT msg, WPARAM keys, POINT at) {
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      // Exactly the left and the right button together, nothing else held.
      const bool chord = (keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_SHIFT | MK_CONTROL)) ==
                             (MK_LBUTTON | MK_RBUTTON) &&
                         GetKeyState(VK_MENU) >= 0;
      if (chord) {
        panning_ = true;
        pan_start_ = at;
      }
      break;
    }
    case WM_MOUSEMOVE:
      if (panning_) {
        const POINT pos = scroll_box_.ScrollPos();
        scroll_box_.ScrollTo(pos.x + (pan_start_.x - at.x), pos.y + (pan_start_.y - at.y));
      }
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
      // The right button that ends a pan does not open the picture's menu as well.
      if (panning_ && msg == WM_RBUTTONUP) pan_ended_by_right_button_ = true;
      panning_ = false;
      break;
  }
}

}  // namespace zk
