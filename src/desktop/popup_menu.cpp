#include "desktop/popup_menu.h"

#include <algorithm>

namespace zk {
namespace {

struct MenuHandle {
  HMENU menu = CreatePopupMenu();
  ~MenuHandle() {
    if (menu) DestroyMenu(menu);
  }
};

}  // namespace

PopupMenu::~PopupMenu() {
  auto listeners = std::move(listeners_);
  for (auto& [key, fn] : listeners) fn();
}

PopupMenu::Item& PopupMenu::Add(std::wstring caption, std::function<void()> on_click, std::function<bool()> enabled) {
  items_.push_back({std::move(caption), std::move(on_click), std::move(enabled), {}, {}});
  return items_.back();
}

std::vector<std::wstring> PopupMenu::VisibleCaptions() const {
  std::vector<std::wstring> shown;
  for (const Item& item : items_)
    if (!item.visible || item.visible()) shown.push_back(item.caption);
  return shown;
}

bool PopupMenu::Click(size_t index) {
  if (index >= items_.size()) return false;
  const Item& item = items_[index];
  if ((item.enabled && !item.enabled()) || !item.on_click) return false;
  item.on_click();
  return true;
}

void PopupMenu::Build(HMENU menu, std::vector<std::pair<PopupMenu*, size_t>>& chosen) {
  for (size_t i = 0; i < items_.size(); ++i) {
    const Item& item = items_[i];
    if (item.visible && !item.visible()) continue;
    if (item.caption == L"-") {  // a separator line
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    if (item.submenu) {
      HMENU sub = CreatePopupMenu();
      if (!sub) continue;
      item.submenu->Build(sub, chosen);
      // The parent menu owns the submenu from here on and destroys it with itself.
      AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), item.caption.c_str());
      continue;
    }
    UINT flags = MF_STRING;
    if (item.enabled && !item.enabled()) flags |= MF_GRAYED;
    if (item.checked && item.checked()) flags |= MF_CHECKED;
    chosen.emplace_back(this, i);
    AppendMenuW(menu, flags, chosen.size(), item.caption.c_str());
  }
}

void PopupMenu::Popup(POINT at, HWND owner) {
  MenuHandle h;
  if (!h.menu) return;
  std::vector<std::pair<PopupMenu*, size_t>> chosen;
  Build(h.menu, chosen);
  UINT id = static_cast<UINT>(
      TrackPopupMenu(h.menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr));
  // Lets the menu close properly when the user clicks elsewhere next time.
  if (owner) PostMessageW(owner, WM_NULL, 0, 0);
  if (id > 0 && id <= chosen.size()) chosen[id - 1].first->Click(chosen[id - 1].second);
}

void PopupMenu::AddDestroyListener(const void* key, std::function<void()> on_destroy) {
  RemoveDestroyListener(key);
  listeners_.emplace_back(key, std::move(on_destroy));
}

void PopupMenu::RemoveDestroyListener(const void* key) {
  listeners_.erase(std::remove_if(listeners_.begin(), listeners_.end(), [&](const auto& l) { return l.first == key; }),
                   listeners_.end());
}

}  // namespace zk
