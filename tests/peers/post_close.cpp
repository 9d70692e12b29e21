// Closes windows the way a user does, so that programs end through their own
// shut-down (and write their settings): posts WM_CLOSE to every top-level
// window of the given classes and waits until they are gone.
//   post_close [--wait SECONDS] CLASS...
// Exit code 0 when every such window is gone, 1 otherwise.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace {

struct Search {
  const std::vector<std::wstring>* classes;
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND wnd, LPARAM param) {
  auto& s = *reinterpret_cast<Search*>(param);
  wchar_t name[256];
  int n = GetClassNameW(wnd, name, 256);
  for (const auto& c : *s.classes)
    if (n > 0 && CompareStringOrdinal(name, n, c.c_str(), -1, TRUE) == CSTR_EQUAL) s.found.push_back(wnd);
  return TRUE;
}

std::vector<HWND> Windows(const std::vector<std::wstring>& classes) {
  Search s{&classes, {}};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&s));
  return s.found;
}

}  // namespace

int wmain() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::wstring> classes;
  int wait_seconds = 10;
  for (int i = 1; argv && i < argc; ++i) {
    std::wstring a = argv[i];
    if (a == L"--wait" && i + 1 < argc)
      wait_seconds = _wtoi(argv[++i]);
    else
      classes.push_back(a);
  }
  if (argv) LocalFree(argv);
  for (HWND w : Windows(classes)) PostMessageW(w, WM_CLOSE, 0, 0);
  const DWORD end = GetTickCount() + wait_seconds * 1000u;
  while (!Windows(classes).empty()) {
    if (static_cast<int>(end - GetTickCount()) <= 0) return 1;
    Sleep(50);
  }
  return 0;
}
