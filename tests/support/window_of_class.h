// A process's top-level window of a given class, as the programs that drive
// zarvik.exe or the stand-in search window from outside look for them.
#pragma once

#include <windows.h>

namespace zk::test {

// One look through the top-level windows; nullptr while there is none yet.
inline HWND TopWindowOfClass(DWORD pid, const wchar_t* class_name) {
  struct Find {
    DWORD pid;
    const wchar_t* cls;
    HWND found;
  } f{pid, class_name, nullptr};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto& f = *reinterpret_cast<Find*>(p);
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        wchar_t name[64];
        if (owner != f.pid || GetClassNameW(w, name, 64) == 0 || lstrcmpiW(name, f.cls) != 0) return TRUE;
        f.found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&f));
  return f.found;
}

}  // namespace zk::test
