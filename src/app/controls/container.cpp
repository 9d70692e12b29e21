#include "app/controls/container.h"

#include "base/win_class.h"

namespace zk {
namespace {

constexpr wchar_t kClassName[] = L"ZarvikContainer";

struct ContainerData {
  ContainerHandler handler;
  void* context;
};

LRESULT CALLBACK ContainerProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* data = reinterpret_cast<ContainerData*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    data = static_cast<ContainerData*>(cs->lpCreateParams);
    SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
  }
  if (data && data->handler) {
    LRESULT result = 0;
    if (data->handler(data->context, wnd, msg, wp, lp, &result)) return result;
  }
  switch (msg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CONTEXTMENU:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONUP:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
      if (HWND parent = GetParent(wnd)) return SendMessageW(parent, msg, wp, lp);
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
      delete data;
      break;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

}  // namespace

const wchar_t* ContainerClassName() {
  EnsureWindowClass({kClassName, ContainerProc, CS_DBLCLKS, nullptr, GetSysColorBrush(COLOR_BTNFACE)});
  return kClassName;
}

HWND CreateContainer(HWND parent, int id, DWORD style, ContainerHandler handler, void* context) {
  auto* data = new ContainerData{handler, context};
  HWND wnd = CreateWindowExW(0, ContainerClassName(), L"", WS_CHILD | WS_CLIPCHILDREN | style, 0, 0, 0, 0,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleW(nullptr), data);
  if (!wnd) delete data;  // WM_NCDESTROY never came
  return wnd;
}

}  // namespace zk
