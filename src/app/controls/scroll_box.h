// The picture area of the image page (`ScrollBox`): holds the picture control,
// paints the background colour around it and scrolls it when it is larger.
#pragma once

#include <windows.h>

#include <functional>

#include "base/colors.h"
#include "base/win_handles.h"

namespace zk {

class ImageControl;

// A stored colour as the platform draws it (system colours resolved).
COLORREF ColorToRgb(Color c);

class ScrollBox {
 public:
  bool Create(HWND parent, int id);
  HWND hwnd() const { return wnd_; }

  void SetImage(ImageControl* image) { image_ = image; }
  void SetColor(Color color);
  Color color() const { return color_; }
  COLORREF ColorRef() const;  // system colours resolved

  bool auto_scroll = true;
  std::u16string hint;
  std::function<void()> on_double_click;  // a double click on the area around the picture

  // Places the picture control at its bounds less the scroll position and
  // sets the scroll bars (shown only with auto_scroll, for the control's extent).
  void Layout();
  POINT ScrollPos() const { return pos_; }
  SIZE ClientSize() const;
  void ScrollTo(int x, int y);

 private:
  static bool Handle(void* self, HWND wnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
  void OnScroll(int bar, WPARAM wp);

  HWND wnd_ = nullptr;
  ImageControl* image_ = nullptr;
  Color color_ = clBtnFace;
  UniqueBrush brush_;
  POINT pos_{0, 0};
};

}  // namespace zk
