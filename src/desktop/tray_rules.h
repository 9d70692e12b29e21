// The rules of the notification-area icon and the global hot key that need no
// window: icon identifiers in use in the process, the tip text, the retry
// rule of the notification area and the hot-key code of a shortcut.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zk {

// The identifiers of the tray icons of this process, in the order they were
// listed, each with the component that holds it.
class TrayIconIds {
 public:
  // The identifier a new component takes: 1 when none is listed, else the
  // last listed one + 1.
  int Next() const { return ids_.empty() ? 1 : ids_.back().first + 1; }
  void Add(int id, const void* holder) { ids_.emplace_back(id, holder); }
  void Remove(const void* holder);
  // Gives `holder` the identifier `id` in its place in the list.
  void Replace(const void* holder, int id);
  // The component holding `id`, or null.
  const void* HolderOf(int id) const;
  bool empty() const { return ids_.empty(); }

 private:
  std::vector<std::pair<int, const void*>> ids_;
};

// The tip as the notification area takes it: at most 127 characters.
inline constexpr size_t kMaxTrayTip = 127;
std::u16string TrayTipText(std::u16string_view tip);

// One call to the notification area: done, or failed for want of time.
enum class TrayCall { kDone, kTimedOut };
// Repeats `call` while it times out, waiting `wait`(0..2999 ms, drawn with
// `random`) between the tries. Any result other than a time-out ends it
// (true). After the 51st time-out it gives up (false).
bool CallTrayRetrying(const std::function<TrayCall()>& call, const std::function<void(unsigned ms)>& wait,
                      const std::function<unsigned()>& random);
inline constexpr int kTrayTimeoutsAllowed = 51;

// A hot key as the platform registers it.
struct HotKeyCode {
  unsigned modifiers = 0;  // 1 Alt, 2 Ctrl, 4 Shift
  unsigned key = 0;        // virtual-key code
};
// From a 16-bit shortcut code (virtual key in the low byte, 0x2000 Shift,
// 0x4000 Ctrl, 0x8000 Alt).
HotKeyCode HotKeyOf(uint16_t shortcut);

}  // namespace zk
