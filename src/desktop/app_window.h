// The program's hidden application window: a top-level window of class
// "TApplication" whose caption is the program's title. Another copy of the
// program recognises a running one by it (see single_instance.h), and the
// main window can be owned by it.
#pragma once

#include <windows.h>

namespace zk {

inline constexpr wchar_t kApplicationWindowClass[] = L"TApplication";

// A hidden, top-level pop-up window with the given caption; null on failure.
// The caller destroys it.
HWND CreateApplicationWindow(HINSTANCE instance, const wchar_t* caption);

}  // namespace zk
