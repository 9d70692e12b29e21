#include "app/controls/tab_page_control.h"

#include <commctrl.h>

#include "app/controls/container.h"

namespace zk {

namespace {

// One character in upper case (CharUpperW takes a single character in the
// low word of its argument).
wchar_t UpperChar(wchar_t c) {
  auto as_pointer = reinterpret_cast<LPWSTR>(static_cast<UINT_PTR>(c));
  return static_cast<wchar_t>(reinterpret_cast<UINT_PTR>(CharUpperW(as_pointer)));
}

}  // namespace

wchar_t AcceleratorOf(const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] != L'&') return UpperChar(caption[i + 1]);
    ++i;  // "&&" is a plain ampersand
  }
  return 0;
}

bool TabPageControl::Create(HWND parent, Bounds b, int id, int first_page_id,
                            const std::vector<std::wstring>& captions, HFONT font) {
  tab_ = CreateChild(parent, WC_TABCONTROLW, L"", WS_TABSTOP | WS_CLIPSIBLINGS, b, id, font);
  if (!tab_) return false;
  captions_ = captions;
  for (size_t i = 0; i < captions.size(); ++i) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(captions[i].c_str());
    SendMessageW(tab_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  RECT display{0, 0, b.width, b.height};
  SendMessageW(tab_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  page_size_ = {display.right - display.left, display.bottom - display.top};
  for (size_t i = 0; i < captions.size(); ++i) {
    HWND page = CreateContainer(parent, first_page_id + static_cast<int>(i), 0);
    if (!page) return false;
    // Tab and arrow keys walk into the page's controls. The page paints under
    // its children, as a dialog does: group boxes leave their inside to it.
    SetWindowLongPtrW(page, GWL_EXSTYLE, GetWindowLongPtrW(page, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    SetWindowLongPtrW(page, GWL_STYLE, GetWindowLongPtrW(page, GWL_STYLE) & ~WS_CLIPCHILDREN);
    SetWindowPos(page, HWND_TOP, b.x + display.left, b.y + display.top, page_size_.cx, page_size_.cy,
                 SWP_NOACTIVATE);
    pages_.push_back(page);
  }
  // The tab control lies under its pages.
  SetWindowPos(tab_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetActivePage(0);
  return true;
}

int TabPageControl::active_page() const {
  return tab_ ? static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)) : -1;
}

void TabPageControl::SetActivePage(int index) {
  if (index < 0 || index >= page_count()) return;
  SendMessageW(tab_, TCM_SETCURSEL, index, 0);
  for (int i = 0; i < page_count(); ++i) ShowWindow(pages_[static_cast<size_t>(i)], i == index ? SW_SHOW : SW_HIDE);
}

void TabPageControl::SelectNextPage(bool forward) {
  int n = page_count();
  if (n == 0) return;
  SetActivePage((active_page() + (forward ? 1 : n - 1)) % n);
}

int TabPageControl::PageForAccelerator(wchar_t ch) const {
  wchar_t upper = UpperChar(ch);
  for (size_t i = 0; i < captions_.size(); ++i)
    if (AcceleratorOf(captions_[i]) == upper) return static_cast<int>(i);
  return -1;
}

bool TabPageControl::HandleNotify(const NMHDR* header) {
  if (!tab_ || header->hwndFrom != tab_ || header->code != TCN_SELCHANGE) return false;
  SetActivePage(active_page());
  return true;
}

}  // namespace zk
