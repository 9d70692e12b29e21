// A child window that shows one bitmap and reports clicks on it.
#pragma once

#include <windows.h>

#include "app/controls/click_control.h"
#include "base/win_handles.h"

namespace zk {

class PictureBox : public ClickControl {
 public:
  PictureBox() = default;
  ~PictureBox() override;

  bool Create(HWND parent, int id, const RECT& bounds);

  // The bitmap shown at the top left; the control owns it.
  void SetPicture(UniqueBitmap bitmap);
  HBITMAP picture() const { return bitmap_.get(); }

 private:
  void Paint(HDC dc, const RECT& client) override;

  UniqueBitmap bitmap_;
};

}  // namespace zk
