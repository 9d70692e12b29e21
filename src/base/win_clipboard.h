// Opening the clipboard, which another program may hold for a moment.
#pragma once

#include <windows.h>

namespace zk {

// Tries for about 200 ms; true when the clipboard is open (close it with CloseClipboard).
inline bool OpenClipboardPatiently(HWND owner) {
  for (int attempt = 0; attempt < 10; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(20);
  }
  return false;
}

}  // namespace zk
