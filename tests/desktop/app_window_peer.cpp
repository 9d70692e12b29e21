// Stands in for a running first copy of the program in the single-instance
// tests: holds the named lock, shows an application window and a main window
// owned by it, and stays until told to go.
//   zarvik_app_window_peer <lock name or -> <caption> <ready event> <quit event> [window class]
// With a window class, the application window is made of that class instead
// of the program's own one.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "desktop/app_window.h"

namespace {

HWND MakeWindowOfClass(const wchar_t* class_name, const wchar_t* caption, DWORD style, HWND owner) {
  WNDCLASSEXW wc{sizeof(wc)};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = class_name;
  RegisterClassExW(&wc);
  return CreateWindowExW(0, class_name, caption, style, 50, 50, 300, 200, owner, nullptr, wc.hInstance, nullptr);
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv || argc < 5) return 2;
  const std::wstring lock_name = argv[1];
  const wchar_t* caption = argv[2];

  HANDLE lock = lock_name == L"-" ? nullptr : CreateMutexW(nullptr, FALSE, lock_name.c_str());
  HWND app = argc > 5 ? MakeWindowOfClass(argv[5], caption, WS_POPUP | WS_CAPTION, nullptr)
                      : zk::CreateApplicationWindow(GetModuleHandleW(nullptr), caption);
  HWND main_window = MakeWindowOfClass(L"ZarvikPeerMain", L"peer main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, app);
  if (!app || !main_window) return 3;
  SetForegroundWindow(main_window);
  SetActiveWindow(main_window);

  HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[3]);
  HANDLE quit = OpenEventW(SYNCHRONIZE, FALSE, argv[4]);
  if (!ready || !quit) return 4;
  SetEvent(ready);

  // Serve messages until told to go; a minute at most, should the test die.
  const DWORD deadline = GetTickCount() + 60000;
  for (;;) {
    DWORD now = GetTickCount();
    if (static_cast<int>(deadline - now) <= 0) break;
    DWORD r = MsgWaitForMultipleObjects(1, &quit, FALSE, deadline - now, QS_ALLINPUT);
    if (r != WAIT_OBJECT_0 + 1) break;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  DestroyWindow(main_window);
  DestroyWindow(app);
  if (lock) CloseHandle(lock);
  CloseHandle(ready);
  CloseHandle(quit);
  LocalFree(argv);
  return 0;
}
