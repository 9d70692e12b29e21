// A child window that shows one bitmap and reports clicks on it.
#pragma once

#include <windows.h>

#include <functional>

#include "base/win_handles.h"

namespace zk {

class PictureBox {
 public:
  PictureBox() = default;
  ~PictureBox();
  PictureBox(const PictureBox&) = delete;
  PictureBox& operator=(const PictureBox&) = delete;

  bool Create(HWND parent, int id, const RECT& bounds);
  HWND hwnd() const { return wnd_; }

  // The bitmap shown at the top left; the control owns it.
  void SetPicture(UniqueBitmap bitmap);
  HBITMAP picture() const { return bitmap_.get(); }

  std::function<void()> on_click;

 private:
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  void OnPaint();

  HWND wnd_ = nullptr;
  UniqueBitmap bitmap_;
  bool pressed_ = false;
};

}  // namespace zk
