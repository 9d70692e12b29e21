// The hints of a window's controls: one tooltip control that shows a text
// while the mouse rests on a control. A control whose hint is empty shows none.
#pragma once

#include <windows.h>

#include <set>
#include <string>

namespace zk {

class HintWindow {
 public:
  HintWindow() = default;
  ~HintWindow();
  HintWindow(const HintWindow&) = delete;
  HintWindow& operator=(const HintWindow&) = delete;

  bool Create(HWND owner);
  HWND hwnd() const { return wnd_; }

  // Sets (or replaces) the hint of a control.
  void SetHint(HWND control, const std::u16string& text);
  std::u16string Hint(HWND control) const;

 private:
  HWND wnd_ = nullptr;
  std::set<HWND> tools_;  // controls that have a tool
};

}  // namespace zk
