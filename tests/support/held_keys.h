// Modifier keys held down for this thread, as GetKeyState sees them.
#pragma once

#include <windows.h>

#include <initializer_list>

namespace zk::test {

// Holds exactly `keys` down, every other modifier up, until the keyboard
// state is set again.
inline void HoldKeys(std::initializer_list<int> keys) {
  BYTE state[256];
  GetKeyboardState(state);
  for (int vk : {VK_SHIFT, VK_LSHIFT, VK_RSHIFT, VK_CONTROL, VK_LCONTROL, VK_RCONTROL, VK_MENU}) state[vk] = 0;
  for (int vk : keys) state[vk] = 0x80;
  SetKeyboardState(state);
}

// HoldKeys for the object's lifetime; the keyboard state is put back afterwards.
class HeldKeys {
 public:
  explicit HeldKeys(std::initializer_list<int> keys) {
    GetKeyboardState(saved_);
    HoldKeys(keys);
  }
  ~HeldKeys() { SetKeyboardState(saved_); }
  HeldKeys(const HeldKeys&) = delete;
  HeldKeys& operator=(const HeldKeys&) = delete;

 private:
  BYTE saved_[256];
};

}  // namespace zk::test
