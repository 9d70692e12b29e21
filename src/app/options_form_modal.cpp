#include "app/options_form_modal.h"

#include <algorithm>
#include <vector>

namespace zk {

UniqueFont CreateDesignFont() {
  return UniqueFont(CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma"));
}

HWND CreateEmptyDialog(HWND owner, const std::wstring& caption, DLGPROC proc, LPARAM param) {
  // DLGTEMPLATE, then the menu, class and caption arrays; WORD aligned.
  std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* dt = reinterpret_cast<DLGTEMPLATE*>(t.data());
  dt->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
  dt->dwExtendedStyle = WS_EX_DLGMODALFRAME;
  dt->cdit = 0;
  dt->cx = 100;  // resized by PlaceDialog
  dt->cy = 100;
  t.push_back(0);  // no menu
  t.push_back(0);  // the standard dialog class
  for (wchar_t c : caption) t.push_back(static_cast<WORD>(c));
  t.push_back(0);
  return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(t.data()), owner,
                                    proc, param);
}

void PlaceDialog(HWND dialog, HWND owner, int client_width, int client_height) {
  RECT frame{0, 0, client_width, client_height};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  const int w = frame.right - frame.left;
  const int h = frame.bottom - frame.top;

  RECT around{};
  HMONITOR monitor = nullptr;
  if (owner && IsWindowVisible(owner) && !IsIconic(owner)) {
    GetWindowRect(owner, &around);
    monitor = MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST);
  }
  MONITORINFO mi{sizeof(mi)};
  if (!monitor) monitor = MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
  GetMonitorInfoW(monitor, &mi);
  if (IsRectEmpty(&around)) around = mi.rcWork;

  int x = around.left + (around.right - around.left - w) / 2;
  int y = around.top + (around.bottom - around.top - h) / 2;
  x = std::max<int>(mi.rcWork.left, std::min<int>(x, mi.rcWork.right - w));
  y = std::max<int>(mi.rcWork.top, std::min<int>(y, mi.rcWork.bottom - h));
  SetWindowPos(dialog, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void RunModalLoop(HWND dialog, const bool& done, const std::function<bool(MSG&)>& pre_translate) {
  MSG msg{};
  while (!done && IsWindow(dialog)) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got < 0) break;
    if (pre_translate && pre_translate(msg)) continue;
    if (IsDialogMessageW(dialog, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace zk
