// A pop-up menu made of items with click handlers, shown at a screen point.
// The menu handle exists only while the menu is shown.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zk {

class PopupMenu {
 public:
  struct Item {
    std::wstring caption;
    std::function<void()> on_click;
    std::function<bool()> enabled;  // none: always enabled
    std::function<bool()> checked;  // none: never checked
    std::function<bool()> visible;  // none: always shown
    std::shared_ptr<PopupMenu> submenu;  // shown as a submenu instead of a command
  };

  PopupMenu() = default;
  virtual ~PopupMenu();
  PopupMenu(const PopupMenu&) = delete;
  PopupMenu& operator=(const PopupMenu&) = delete;

  // A caption of "-" makes a separator line.
  Item& Add(std::wstring caption, std::function<void()> on_click, std::function<bool()> enabled = {});
  // The captions the menu shows now, in order ("-" for separators).
  std::vector<std::wstring> VisibleCaptions() const;
  const std::vector<Item>& items() const { return items_; }
  // Runs the item's handler when it is enabled; true when it ran.
  bool Click(size_t index);

  // Shows the menu at `at` (screen coordinates) for `owner` and runs the
  // item chosen, if any.
  virtual void Popup(POINT at, HWND owner);

  // Whoever keeps a pointer to the menu is told when the menu goes.
  void AddDestroyListener(const void* key, std::function<void()> on_destroy);
  void RemoveDestroyListener(const void* key);

 private:
  // Appends the visible items to `menu`; `chosen` maps menu ids back to items.
  void Build(HMENU menu, std::vector<std::pair<PopupMenu*, size_t>>& chosen);

  std::vector<Item> items_;
  std::vector<std::pair<const void*, std::function<void()>>> listeners_;
};

}  // namespace zk
