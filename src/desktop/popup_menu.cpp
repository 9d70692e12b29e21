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

void PopupMenu::Popup(POINT at, HWND owner) {
  MenuHandle h;
  if (!h.menu) return;
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].visible && !items_[i].visible()) continue;
    if (items_[i].caption == L"-") {  // a separator line
      AppendMenuW(h.menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING;
    if (items_[i].enabled && !items_[i].enabled()) flags |= MF_GRAYED;
    if (items_[i].checked && items_[i].checked()) flags |= MF_CHECKED;
    AppendMenuW(h.menu, flags, i + 1, items_[i].caption.c_str());
  }
  UINT chosen = static_cast<UINT>(
      TrackPopupMenu(h.menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr));
  // Lets the menu close properly when the user clicks elsewhere next time.
  if (owner) PostMessageW(owner, WM_NULL, 0, 0);
  if (chosen > 0) Click(chosen - 1);
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
