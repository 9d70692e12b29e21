// Creating the plain child controls of a dialog built in code (labels,
// buttons, group boxes) in the dialog's font.
#pragma once

#include <windows.h>

#include <string>

#include "base/ui/dialog_scale.h"

namespace zk {

inline HWND CreateChild(HWND parent, const wchar_t* class_name, const std::wstring& text, DWORD style,
                        Bounds b, int id, HFONT font, DWORD ex_style = 0) {
  HWND wnd = CreateWindowExW(ex_style, class_name, text.c_str(), WS_CHILD | WS_VISIBLE | style, b.x, b.y, b.width,
                             b.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleW(nullptr), nullptr);
  if (wnd && font) SendMessageW(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return wnd;
}

inline HWND CreateLabel(HWND parent, const std::wstring& text, Bounds b, HFONT font, DWORD style = 0) {
  return CreateChild(parent, L"STATIC", text, SS_LEFT | style, b, -1, font);
}

inline HWND CreatePushButton(HWND parent, const std::wstring& text, Bounds b, int id, HFONT font,
                             DWORD style = BS_PUSHBUTTON) {
  return CreateChild(parent, L"BUTTON", text, WS_TABSTOP | style, b, id, font);
}

inline HWND CreateGroupBox(HWND parent, const std::wstring& text, Bounds b, HFONT font) {
  return CreateChild(parent, L"BUTTON", text, BS_GROUPBOX, b, -1, font);
}

}  // namespace zk
