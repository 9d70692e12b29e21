// A child window drawn over its parent's background colour that reports
// clicks: a press and a release of the left button on it. The picture box
// and the link label are two of them.
#pragma once

#include <windows.h>

#include <functional>

#include "base/ui/window_base.h"

namespace zk {

class ClickControl : public WindowBase {
 public:
  std::function<void()> on_click;

 protected:
  // Creates the window, of a class of its own with the given cursor.
  bool CreateControl(const wchar_t* class_name, HCURSOR cursor, HWND parent, int id, const RECT& bounds,
                     const wchar_t* caption);
  // Draws the contents over the background, already filled. The derived
  // class destroys the window in its destructor, while this still reaches it.
  virtual void Paint(HDC dc, const RECT& client) = 0;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void OnPaint();

  bool pressed_ = false;
};

}  // namespace zk
