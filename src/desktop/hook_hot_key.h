// THookHotKey: system-wide hot keys, registered for a hidden window of the
// component, raising OnHotKey when one is pressed.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <set>
#include <string>

#include "base/ui/window_base.h"

namespace zk {

class THookHotKey : public WindowBase {
 public:
  // `owner`: the window brought to the foreground before the event (may be null).
  explicit THookHotKey(HWND owner);
  ~THookHotKey() override;

  // Bring the owner to the foreground before raising OnHotKey.
  bool Activate = true;
  std::function<void(THookHotKey& sender, int id)> OnHotKey;
  // Shows what a handler threw; by default a message box. The exception
  // goes no further.
  std::function<void(const std::wstring& message)> OnException;

  // `shortcut`: virtual key in the low byte, 0x2000 Shift, 0x4000 Ctrl,
  // 0x8000 Alt. False when the platform refuses (for example, another
  // program holds the key).
  bool RegisterHotKeyId(int id, uint16_t shortcut);
  bool UnregisterHotKeyId(int id);
  // Withdraws `id` and registers it again with `shortcut`; true when both worked.
  bool ChangeHotKey(int id, uint16_t shortcut);

 private:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void HotKey(int id);

  HWND owner_;
  std::set<int> registered_;
};

}  // namespace zk
