#include "base/ui/modal_dialog.h"

#include <algorithm>
#include <vector>

namespace zk {
namespace {

// Keeps a window disabled while a modal window of it is open; Enable() gives
// it back its input, the destructor does so on any other way out.
class DisabledOwner {
 public:
  explicit DisabledOwner(HWND owner) : owner_(owner && IsWindowEnabled(owner) ? owner : nullptr) {
    if (owner_) EnableWindow(owner_, FALSE);
  }
  ~DisabledOwner() { Enable(); }
  DisabledOwner(const DisabledOwner&) = delete;
  DisabledOwner& operator=(const DisabledOwner&) = delete;
  void Enable() {
    if (owner_ && IsWindow(owner_)) EnableWindow(owner_, TRUE);
    owner_ = nullptr;
  }

 private:
  HWND owner_;
};

void RunMessages(HWND window, const bool& done, const ModalOptions& options) {
  MSG msg{};
  while (!done && IsWindow(window)) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got < 0) break;
    if (options.pre_translate && options.pre_translate(msg)) continue;
    if (options.dialog_keys && IsDialogMessageW(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

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

void PlaceDialog(HWND dialog, HWND owner, const DialogScale& scale, int client_width, int client_height) {
  RECT frame{0, 0, scale(client_width), scale(client_height)};
  AdjustWindowRectForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)),
                         static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)), scale.dpi());
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

void RunModal(HWND window, HWND owner, const bool& done, const ModalOptions& options) {
  if (!window) return;
  HWND focus = GetFocus();  // disabling the owner takes the focus away
  DisabledOwner disabled(owner);
  ShowWindow(window, SW_SHOW);
  if (options.on_shown) options.on_shown();
  RunMessages(window, done, options);
  disabled.Enable();
  if (IsWindow(window)) ShowWindow(window, SW_HIDE);
  // Only once the owner is active again: the focus must not pull it in
  // front of another program.
  if (focus && IsWindow(focus) && owner && GetActiveWindow() == GetAncestor(owner, GA_ROOT) &&
      GetAncestor(focus, GA_ROOT) == GetActiveWindow())
    SetFocus(focus);
}

}  // namespace zk
