// A label that is a web link: blue, cyan while the mouse is over it, opened
// by a click.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "base/win_handles.h"

namespace zk {

class LinkLabel {
 public:
  LinkLabel() = default;
  ~LinkLabel();
  LinkLabel(const LinkLabel&) = delete;
  LinkLabel& operator=(const LinkLabel&) = delete;

  // The label takes the font's face with an underline.
  bool Create(HWND parent, int id, const RECT& bounds, const std::u16string& caption, HFONT font);
  HWND hwnd() const { return wnd_; }

  bool hot() const { return hot_; }
  COLORREF TextColor() const;

  std::function<void()> on_click;

 private:
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  void OnPaint();
  void SetHot(bool hot);

  HWND wnd_ = nullptr;
  UniqueFont font_;
  bool hot_ = false;
  bool pressed_ = false;
};

}  // namespace zk
