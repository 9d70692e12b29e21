#include "desktop/tray_rules.h"

#include <algorithm>

namespace zk {

void TrayIconIds::Remove(const void* holder) {
  ids_.erase(std::remove_if(ids_.begin(), ids_.end(), [&](const auto& e) { return e.second == holder; }), ids_.end());
}

void TrayIconIds::Replace(const void* holder, int id) {
  for (auto& e : ids_)
    if (e.second == holder) e.first = id;
}

const void* TrayIconIds::HolderOf(int id) const {
  for (const auto& e : ids_)
    if (e.first == id) return e.second;
  return nullptr;
}

std::u16string TrayTipText(std::u16string_view tip) {
  size_t n = tip.size() < kMaxTrayTip ? tip.size() : kMaxTrayTip;
  // Never half a character: a high surrogate whose low half is cut goes too.
  if (n < tip.size() && n > 0 && tip[n - 1] >= 0xD800 && tip[n - 1] <= 0xDBFF) --n;
  return std::u16string(tip.substr(0, n));
}

bool CallTrayRetrying(const std::function<TrayCall()>& call, const std::function<void(unsigned ms)>& wait,
                      const std::function<unsigned()>& random) {
  for (int timeouts = 0;;) {
    if (call() == TrayCall::kDone) return true;
    if (++timeouts >= kTrayTimeoutsAllowed) return false;
    wait(random() % 3000);
  }
}

HotKeyCode HotKeyOf(uint16_t shortcut) {
  HotKeyCode code;
  if (shortcut & 0x8000) code.modifiers |= 1;
  if (shortcut & 0x4000) code.modifiers |= 2;
  if (shortcut & 0x2000) code.modifiers |= 4;
  code.key = shortcut & 0xFF;
  return code;
}

}  // namespace zk
