// The picture control of the image page (`MainImage`): a child window that
// shows one bitmap, the picture or a drawing made for the binary view.
#pragma once

#include <windows.h>

#include <string>

#include "base/win_handles.h"

namespace zk {

class ImageControl {
 public:
  ImageControl() = default;
  ~ImageControl();
  ImageControl(const ImageControl&) = delete;
  ImageControl& operator=(const ImageControl&) = delete;

  bool Create(HWND parent, int id);
  HWND hwnd() const { return wnd_; }

  // The bitmap shown; the control owns it.
  void SetPicture(UniqueBitmap bitmap);
  void ClearPicture();
  bool HasPicture() const { return static_cast<bool>(bitmap_); }
  HBITMAP picture() const { return bitmap_.get(); }
  SIZE PictureSize() const { return size_; }

  // Layout properties, applied by the parent's layout.
  bool auto_size = true;   // take the picture's size
  bool center = true;      // centred in the parent while smaller than it
  bool stretch = false;    // scale the picture to the control
  bool fill_parent = false;
  int zoom_tag = -1;       // zoom exponent of the shown picture; -1: fitted
  std::u16string hint;

  void SetVisible(bool visible);
  bool visible() const;
  void Invalidate();

 private:
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  void OnPaint();

  HWND wnd_ = nullptr;
  UniqueBitmap bitmap_;
  SIZE size_{0, 0};
};

}  // namespace zk
