// Keys pressed as a user presses them: through the input system, with the
// program's own loop running until they are back up.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "app/window/main_window.h"
#include "support/message_pump.h"

namespace zk::test {

// Presses key with the modifiers held through the input system and runs
// the program's loop until the key is back up.
inline void PressKey(TZKMainForm& form, std::initializer_list<WORD> held, WORD key) {
  std::vector<INPUT> in;
  auto add = [&](WORD vk, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = vk;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  for (WORD vk : held) add(vk, false);
  add(key, false);
  add(key, true);
  for (WORD vk : held) add(vk, true);
  ASSERT_EQ(SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT)), in.size());
  // The program's own loop: the shortcuts see the keys first. The key's
  // release may go elsewhere when its command brought another window up.
  bool pressed = false;
  size_t released = 0;
  DWORD start = GetTickCount();
  while (released <= held.size() && GetTickCount() - start < (pressed ? 500u : 5000u)) {
    MSG msg;
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
      continue;
    }
    if (!form.PreTranslateMessage(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && msg.wParam == key && !pressed) {
      pressed = true;
      start = GetTickCount();
    }
    if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) ++released;
  }
  EXPECT_TRUE(pressed) << "the key did not arrive";
}

// Shows the window and gives it the keyboard, for keys through the input
// system; the watcher its first paint starts is stopped again, so that only
// the test changes what is on view.
inline void ShowForKeys(TZKMainForm& form) {
  form.Show();
  SetForegroundWindow(form.hwnd());
  SetFocus(form.hwnd());
  EXPECT_TRUE(PumpUntil([&] { return GetFocus() == form.hwnd(); }));
  form.actions[CommandId::FindEverythingAction].checked = false;
}

}  // namespace zk::test
