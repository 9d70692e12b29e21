// A clickable panel that shows a colour with its caption written in the
// inverted colour, so the caption stays readable on any background. It is an
// owner-drawn button: the parent passes its WM_DRAWITEM to Draw.
#pragma once

#include <windows.h>

#include <string>

#include "base/colors.h"
#include "app/controls/child_window.h"

namespace zk {

class ColorPanel {
 public:
  bool Create(HWND parent, const std::wstring& caption, Bounds b, int id, HFONT font);
  HWND hwnd() const { return wnd_; }

  Color color() const { return color_; }
  void SetColor(Color c);
  // The colour the caption is drawn in.
  COLORREF caption_color() const { return caption_color_; }

  // True when the item was this panel's.
  bool Draw(const DRAWITEMSTRUCT& item) const;

 private:
  HWND wnd_ = nullptr;
  Color color_ = clBtnFace;
  COLORREF caption_color_ = 0;
};

}  // namespace zk
