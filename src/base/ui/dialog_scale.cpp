#include "base/ui/dialog_scale.h"

#include <vector>

namespace zk {
namespace {

struct Placed {
  HWND control;
  RECT in_parent;
};

BOOL CALLBACK CollectControl(HWND control, LPARAM lp) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  reinterpret_cast<std::vector<Placed>*>(lp)->push_back({control, r});
  return TRUE;
}

}  // namespace

void RescaleWindow(HWND window, int from_dpi, int to_dpi, const RECT& suggested,
                   std::initializer_list<FontSwap> fonts) {
  if (!window || from_dpi <= 0 || to_dpi <= 0) return;
  // Every place is read before anything moves: a container that lays out its
  // children when it is sized would otherwise change what is read after it.
  std::vector<Placed> controls;
  EnumChildWindows(window, &CollectControl, reinterpret_cast<LPARAM>(&controls));
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  auto scale = [&](LONG v) { return MulDiv(v, to_dpi, from_dpi); };
  for (const Placed& c : controls) {
    const HFONT current = reinterpret_cast<HFONT>(SendMessageW(c.control, WM_GETFONT, 0, 0));
    for (const FontSwap& swap : fonts) {
      if (!current || current != swap.first) continue;
      SendMessageW(c.control, WM_SETFONT, reinterpret_cast<WPARAM>(swap.second), FALSE);
      break;
    }
    const RECT& r = c.in_parent;
    const int left = scale(r.left), top = scale(r.top);
    SetWindowPos(c.control, nullptr, left, top, scale(r.right) - left, scale(r.bottom) - top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace zk
