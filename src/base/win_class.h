// Registering a window class once per process.
#pragma once

#include <windows.h>

namespace zk {

struct WindowClassInfo {
  const wchar_t* name;
  WNDPROC proc;
  UINT style = 0;
  HCURSOR cursor = nullptr;   // none: the arrow
  HBRUSH background = nullptr;
  HICON icon = nullptr;
  HICON small_icon = nullptr;
};

// Registers the class unless this module has it already; true when it exists.
inline bool EnsureWindowClass(const WindowClassInfo& cls) {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{sizeof(wc)};
  if (GetClassInfoExW(inst, cls.name, &wc)) return true;
  wc = WNDCLASSEXW{sizeof(wc)};
  wc.lpfnWndProc = cls.proc;
  wc.hInstance = inst;
  wc.style = cls.style;
  wc.hCursor = cls.cursor ? cls.cursor : LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = cls.background;
  wc.hIcon = cls.icon;
  wc.hIconSm = cls.small_icon;
  wc.lpszClassName = cls.name;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace zk
