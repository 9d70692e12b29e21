#include "app/controls/page_control.h"

#include "app/controls/container.h"

namespace zk {

bool PageControl::Create(HWND parent, int id, int page_count, int first_page_id) {
  wnd_ = CreateContainer(parent, id, WS_VISIBLE, &PageControl::Handle, this);
  if (!wnd_) return false;
  for (int i = 0; i < page_count; ++i) {
    HWND page = CreateContainer(wnd_, first_page_id + i, i == 0 ? WS_VISIBLE : 0);
    if (!page) return false;
    pages_.push_back(page);
  }
  return true;
}

void PageControl::SetActivePage(int index) {
  if (index < 0 || index >= static_cast<int>(pages_.size())) return;
  active_ = index;
  for (int i = 0; i < static_cast<int>(pages_.size()); ++i)
    ShowWindow(pages_[static_cast<size_t>(i)], i == index ? SW_SHOWNA : SW_HIDE);
}

void PageControl::SetBounds(const RECT& rc) {
  MoveWindow(wnd_, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
}

bool PageControl::Handle(void* self, HWND wnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
  auto* pc = static_cast<PageControl*>(self);
  if (msg == WM_SIZE) {
    // Every page fills the control.
    for (HWND page : pc->pages_) MoveWindow(page, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
  }
  return false;
}

}  // namespace zk
