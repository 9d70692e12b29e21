// The picture control of the image page (`MainImage`): a child window of the
// scroll box that shows one picture, stretched to its bounds or at its own
// size, and animates pictures that have frames.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "base/ui/window_base.h"
#include "base/win_handles.h"
#include "image/picture.h"

namespace zk {

class ImageControl : public WindowBase {
 public:
  ImageControl() = default;
  ~ImageControl() override;

  bool Create(HWND parent, int id);

  // The picture shown; the control owns it. Replacing it stops any animation.
  void SetPicture(std::unique_ptr<Picture> picture);
  void SetPicture(UniqueBitmap bitmap);
  void ClearPicture();
  bool HasPicture() const { return static_cast<bool>(picture_); }
  Picture* picture() const { return picture_.get(); }
  SIZE PictureSize() const { return picture_ ? picture_->Size() : SIZE{0, 0}; }
  // Steps through the picture's frames while on.
  void Animate(bool on);
  bool animating() const { return animating_; }

  // Layout properties, applied by the scroll box's layout.
  bool auto_size = true;   // the control takes the picture's size
  bool center = true;      // an unstretched picture is drawn centred in the control
  bool stretch = false;    // the picture is drawn stretched to the control's size
  bool fill_parent = false;
  int zoom_tag = -1;       // zoom exponent of the shown picture; -1: fitted
  std::u16string hint;
  // Position and size in the scroll box's content (unscrolled) coordinates;
  // the size counts only while auto_size is off.
  int left = 0, top = 0, width = 0, height = 0;
  void SetBounds(int l, int t, int w, int h) { left = l, top = t, width = w, height = h; }
  SIZE ControlSize() const { return auto_size ? PictureSize() : SIZE{width, height}; }

  // Mouse presses, moves and releases on the control: the message, its key
  // and button state (MK_* bits) and the point in the control's coordinates.
  std::function<void(UINT msg, WPARAM keys, POINT at)> on_mouse;
  // A left double click; while unset it goes to the parent window.
  std::function<void()> on_double_click;

  void SetVisible(bool visible);
  bool visible() const;
  // Draws the control again; what it shows has changed.
  void Invalidate();

 private:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnPaint();
  void OnTimer();
  void OnMouse(UINT msg, WPARAM wp, LPARAM lp);
  void PaintBackground(HDC dc, const RECT& rect);
  void DropCache() {
    cache_ = {};
    cache_current_ = false;
  }

  std::unique_ptr<Picture> picture_;
  bool animating_ = false;
  // The picture drawn at the control's size, kept while neither changes.
  DibSection24 cache_;
  bool cache_current_ = false;  // the cache holds the picture as it is now
};

}  // namespace zk
