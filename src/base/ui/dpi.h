// The DPI a window is shown at, and system sizes at a DPI. The per-monitor calls
// exist from Windows 10 (1607) on; older systems give the system DPI, which is
// what they scale the whole program to.
#pragma once

#include <windows.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace zk {

// The DPI of the monitor the window is on (the system DPI before Windows 10).
int DpiOfWindow(HWND window);
// The system DPI, which a window gets before it is placed on a monitor.
int SystemDpi();
// GetSystemMetrics(index) at dpi.
int SystemMetricForDpi(int index, int dpi);
// AdjustWindowRectEx (no menu) with the frame's sizes at dpi.
void AdjustWindowRectForDpi(RECT* rect, DWORD style, DWORD ex_style, int dpi);

}  // namespace zk
