// The archive page of the main window: the member list `ArcListBox` that
// fills the page, sorted by member path, with the operations archive
// browsing uses, and the browsing itself.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/window/archive_browser.h"

namespace zk {

class ArchivePage {
 public:
  explicit ArchivePage(ArchiveBrowser::Host& host) : browser_(host, *this) {}
  ArchivePage(const ArchivePage&) = delete;
  ArchivePage& operator=(const ArchivePage&) = delete;

  // Browsing the archive this page lists.
  ArchiveBrowser& browser() { return browser_; }
  const ArchiveBrowser& browser() const { return browser_; }

  bool Create(HWND page, int id, HFONT font);
  void Layout(int width, int height);
  HWND ArcListBox() const { return list_; }

  // Replaces the lines, kept in their order.
  void Fill(const std::vector<std::u16string>& lines);
  void Clear();
  int Count() const;
  std::vector<std::u16string> Lines() const;
  std::u16string Line(int index) const;

  // The selected line's index, or -1.
  int SelectedIndex() const;
  void Select(int index);
  std::u16string SelectedLine() const;

  void SetVisible(bool visible);
  // One line up or down, as a wheel turn does.
  void ScrollLine(bool up);

  // A double click on a line; run from the window's command notification.
  std::function<void()> OnDblClick;
  // True when the notification was the list's and was handled.
  bool HandleCommand(HWND from, int code);

 private:
  HWND list_ = nullptr;
  ArchiveBrowser browser_;
};

}  // namespace zk
