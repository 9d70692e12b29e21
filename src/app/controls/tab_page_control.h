// Pages with visible tabs: a tab control and one container window per page,
// laid over the tab control's display area. The pages are siblings of the tab
// control, so their controls' notifications reach the window that holds both.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/controls/child_window.h"

namespace zk {

class TabPageControl {
 public:
  // Page i gets the id first_page_id + i.
  bool Create(HWND parent, Bounds b, int id, int first_page_id, const std::vector<std::wstring>& captions,
              HFONT font);
  HWND hwnd() const { return tab_; }
  HWND page(int index) const { return pages_.at(static_cast<size_t>(index)); }
  int page_count() const { return static_cast<int>(pages_.size()); }
  // The page's client area in page coordinates.
  SIZE page_size() const { return page_size_; }

  int active_page() const;
  void SetActivePage(int index);
  // The next or previous page, wrapping around (Ctrl+Tab, Ctrl+Shift+Tab).
  void SelectNextPage(bool forward);
  // The page whose caption has the accelerator character ch; -1 when none.
  int PageForAccelerator(wchar_t ch) const;

  // The parent passes its WM_NOTIFY here; true when it was the tab control's
  // page change.
  bool HandleNotify(const NMHDR* header);

 private:
  HWND tab_ = nullptr;
  std::vector<HWND> pages_;
  std::vector<std::wstring> captions_;
  SIZE page_size_{0, 0};
};

// The accelerator character of a caption ("&Main" gives 'M'); 0 when none.
wchar_t AcceleratorOf(const std::wstring& caption);

}  // namespace zk
