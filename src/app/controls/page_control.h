// A stack of pages without tabs: the program shows one page at a time.
#pragma once

#include <windows.h>

#include <vector>

namespace zk {

class PageControl {
 public:
  // Creates the control and its pages; page i gets the id first_page_id + i.
  bool Create(HWND parent, int id, int page_count, int first_page_id);
  HWND hwnd() const { return wnd_; }
  HWND page(int index) const { return pages_.at(static_cast<size_t>(index)); }

  void SetActivePage(int index);
  int active_page() const { return active_; }

  void SetBounds(const RECT& rc);

 private:
  static bool Handle(void* self, HWND wnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

  HWND wnd_ = nullptr;
  std::vector<HWND> pages_;
  int active_ = 0;
};

}  // namespace zk
