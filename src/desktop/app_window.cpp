#include "desktop/app_window.h"

namespace zk {
namespace {

bool RegisterApplicationClass(HINSTANCE instance) {
  WNDCLASSEXW existing{sizeof(existing)};
  if (GetClassInfoExW(instance, kApplicationWindowClass, &existing)) return true;
  WNDCLASSEXW wc{sizeof(wc)};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kApplicationWindowClass;
  // Two threads may race here; the loser finds the class registered.
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HWND CreateApplicationWindow(HINSTANCE instance, const wchar_t* caption) {
  if (!RegisterApplicationClass(instance)) return nullptr;
  // Never shown: it is there so that other copies find this one by class and
  // caption, and to own the main window.
  return CreateWindowExW(0, kApplicationWindowClass, caption,
                         WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                         0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
}

}  // namespace zk
