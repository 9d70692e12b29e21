// Dialogs built in code are laid out in pixels at 96 DPI. DialogScale turns
// those lengths into pixels at the DPI the dialog is shown at, and
// RescaleWindow moves a built dialog's controls to a new DPI.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <utility>

#include "base/dpi_sizes.h"
#include "base/ui/dialog_font.h"
#include "base/ui/dpi.h"

namespace zk {

// A control's place in its parent: left, top, width, height.
struct Bounds {
  int x, y, width, height;
};

class DialogScale {
 public:
  explicit DialogScale(int dpi = kDesignDpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}
  // The DPI of the owner's monitor; the system DPI without an owner.
  static DialogScale ForOwner(HWND owner) { return DialogScale(owner ? DpiOfWindow(owner) : SystemDpi()); }

  int dpi() const { return dpi_; }
  int operator()(int length) const { return ScaleForDpi(length, dpi_); }
  // The edges are scaled rather than the sizes, so that controls that meet
  // at 96 DPI still meet.
  Bounds operator()(Bounds b) const {
    const int x = (*this)(b.x), y = (*this)(b.y);
    return {x, y, (*this)(b.x + b.width) - x, (*this)(b.y + b.height) - y};
  }
  RECT Rect(const RECT& r) const { return {(*this)(r.left), (*this)(r.top), (*this)(r.right), (*this)(r.bottom)}; }
  // The dialog font at this DPI.
  UniqueFont Font() const { return CreateDialogFont(dpi_); }

 private:
  int dpi_;
};

// A font of the window's controls and the one that replaces it.
using FontSwap = std::pair<HFONT, HFONT>;

// Gives a window the rectangle the system suggests with WM_DPICHANGED and
// moves and sizes every control in it by to_dpi / from_dpi; a control showing
// the first font of a swap gets the second.
void RescaleWindow(HWND window, int from_dpi, int to_dpi, const RECT& suggested, std::initializer_list<FontSwap> fonts);

}  // namespace zk
