// Plain child windows that hold other controls (the pages of the page control
// and the scroll box). They pass their children's notifications and the mouse
// messages the main window decides about up to their parent.
#pragma once

#include <windows.h>

namespace zk {

// Registers the container class once; returns its name.
const wchar_t* ContainerClassName();

// Creates a container. handler, when given, sees every message first; a true
// return means handled, with *result as the answer.
using ContainerHandler = bool (*)(void* context, HWND wnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
HWND CreateContainer(HWND parent, int id, DWORD style, ContainerHandler handler = nullptr,
                     void* context = nullptr);

}  // namespace zk
