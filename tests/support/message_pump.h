// Running this thread's message queue from a test.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

namespace zk::test {

// Runs the message queue of this thread until it is empty.
inline void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Runs the message queue of this thread until `done` holds or the time is up.
inline bool PumpUntil(const std::function<bool()>& done, int timeout_ms = 5000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    PumpMessages();
    if (done()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// Runs the message queue for a while.
inline void PumpFor(int ms) {
  PumpUntil([] { return false; }, ms);
}

}  // namespace zk::test
