#include "app/window/archive_page.h"

#include "base/win_text.h"

namespace zk {

bool ArchivePage::Create(HWND page, int id, HFONT font) {
  // Sorted by member path, whatever order the archiver delivers them in.
  list_ = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_SORT | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT,
                          0, 0, 0, 0, page, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleW(nullptr), nullptr);
  if (!list_) return false;
  SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return true;
}

void ArchivePage::Layout(int width, int height) {
  if (list_) MoveWindow(list_, 0, 0, width, height, TRUE);
}

void ArchivePage::Fill(const std::vector<std::u16string>& lines) {
  if (!list_) return;
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  size_t chars = 0;
  for (const std::u16string& line : lines) chars += (line.size() + 1) * sizeof(wchar_t);
  SendMessageW(list_, LB_INITSTORAGE, lines.size(), static_cast<LPARAM>(chars));
  for (const std::u16string& line : lines) SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(line)));
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
}

void ArchivePage::Clear() {
  if (list_) SendMessageW(list_, LB_RESETCONTENT, 0, 0);
}

int ArchivePage::Count() const {
  if (!list_) return 0;
  const LRESULT n = SendMessageW(list_, LB_GETCOUNT, 0, 0);
  return n == LB_ERR ? 0 : static_cast<int>(n);
}

std::u16string ArchivePage::Line(int index) const {
  if (!list_) return {};
  const LRESULT n = SendMessageW(list_, LB_GETTEXTLEN, index, 0);
  if (n == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  const LRESULT got = SendMessageW(list_, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
  return FromWide(text);
}

std::vector<std::u16string> ArchivePage::Lines() const {
  std::vector<std::u16string> lines;
  for (int i = 0, n = Count(); i < n; ++i) lines.push_back(Line(i));
  return lines;
}

int ArchivePage::SelectedIndex() const {
  if (!list_) return -1;
  const LRESULT i = SendMessageW(list_, LB_GETCURSEL, 0, 0);
  return i == LB_ERR ? -1 : static_cast<int>(i);
}

void ArchivePage::Select(int index) {
  if (list_) SendMessageW(list_, LB_SETCURSEL, index, 0);
}

std::u16string ArchivePage::SelectedLine() const {
  const int i = SelectedIndex();
  return i < 0 ? std::u16string() : Line(i);
}

void ArchivePage::SetVisible(bool visible) {
  if (list_) ShowWindow(list_, visible ? SW_SHOW : SW_HIDE);
}

bool ArchivePage::HandleCommand(HWND from, int code) {
  if (!list_ || from != list_) return false;
  if (code == LBN_DBLCLK && OnDblClick) OnDblClick();
  return true;
}

void ArchivePage::ScrollLine(bool up) {
  if (list_) SendMessageW(list_, WM_VSCROLL, up ? SB_LINEUP : SB_LINEDOWN, 0);
}

}  // namespace zk
