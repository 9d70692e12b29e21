// A label that is a web link: blue, cyan while the mouse is over it, opened
// by a click.
#pragma once

#include <windows.h>

#include <string>

#include "app/controls/click_control.h"
#include "base/win_handles.h"

namespace zk {

class LinkLabel : public ClickControl {
 public:
  LinkLabel() = default;
  ~LinkLabel() override;

  // The label takes the font's face with an underline.
  bool Create(HWND parent, int id, const RECT& bounds, const std::u16string& caption, HFONT font);

  bool hot() const { return hot_; }
  COLORREF TextColor() const;

 private:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void Paint(HDC dc, const RECT& client) override;
  void SetHot(bool hot);
  // Draws with the font's face, underlined; WM_SETFONT comes here too.
  void SetFont(HFONT font);

  UniqueFont font_;
  HFONT given_font_ = nullptr;
  bool hot_ = false;
};

}  // namespace zk
