#include "base/ui/dpi.h"

namespace zk {
namespace {

template <typename F>
F User32Entry(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

}  // namespace

int SystemDpi() {
  static const auto get_for_system = User32Entry<UINT(WINAPI*)()>("GetDpiForSystem");
  if (get_for_system) return static_cast<int>(get_for_system());
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int DpiOfWindow(HWND window) {
  static const auto get_for_window = User32Entry<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
  if (get_for_window && window) {
    const UINT dpi = get_for_window(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

int SystemMetricForDpi(int index, int dpi) {
  static const auto for_dpi = User32Entry<int(WINAPI*)(int, UINT)>("GetSystemMetricsForDpi");
  return for_dpi ? for_dpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

void AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD ex_style, int dpi) {
  static const auto for_dpi = User32Entry<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
  if (for_dpi && dpi > 0)
    for_dpi(rect, style, FALSE, ex_style, static_cast<UINT>(dpi));
  else
    AdjustWindowRectEx(rect, style, FALSE, ex_style);
}

}  // namespace zk
