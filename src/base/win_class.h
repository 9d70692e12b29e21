// Registering a window class once per process.
#pragma once

#include <windows.h>

namespace zk {

struct WindowClassSpec {
  const wchar_t* name;
  WNDPROC proc;
  UINT style = 0;
  HCURSOR cursor = nullptr;   // none: the arrow
  HBRUSH background = nullptr;
  HICON icon = nullptr;
  HICON small_icon = nullptr;
};

// Registers the class unless this module has it already; true when it exists.
inline bool EnsureWindowClass(const WindowClassSpec& spec) {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{sizeof(wc)};
  if (GetClassInfoExW(inst, spec.name, &wc)) return true;
  wc = WNDCLASSEXW{sizeof(wc)};
  wc.lpfnWndProc = spec.proc;
  wc.hInstance = inst;
  wc.style = spec.style;
  wc.hCursor = spec.cursor ? spec.cursor : LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = spec.background;
  wc.hIcon = spec.icon;
  wc.hIconSm = spec.small_icon;
  wc.lpszClassName = spec.name;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace zk
