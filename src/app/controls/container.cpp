#include "app/controls/container.h"

#include "base/ui/window_base.h"
#include "base/win_class.h"

namespace zk {
namespace {

constexpr wchar_t kClassName[] = L"ZarvikContainer";

// Lives as long as its window.
class Container final : public WindowBase {
 public:
  static HWND Create(HWND parent, int id, DWORD style, ContainerHandler handler, void* context) {
    auto* container = new Container(handler, context);
    HWND wnd = container->CreateFor(0, ContainerClassName(), L"", WS_CHILD | WS_CLIPCHILDREN | style, 0, 0, 0, 0,
                                    parent, ChildId(id));
    container->creating_ = false;
    if (!wnd) delete container;  // a window that failed on the way left it to us
    return wnd;
  }

 private:
  Container(ContainerHandler handler, void* context) : handler_(handler), context_(context) {}

  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (handler_) {
      LRESULT result = 0;
      if (handler_(context_, wnd_, msg, wp, lp, &result)) return result;
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
        if (HWND parent = GetParent(wnd_)) return SendMessageW(parent, msg, wp, lp);
        break;
    }
    return DefWindowProcW(wnd_, msg, wp, lp);
  }

  void OnDetached() override {
    if (!creating_) delete this;
  }

  ContainerHandler handler_;
  void* context_;
  bool creating_ = true;
};

}  // namespace

const wchar_t* ContainerClassName() {
  EnsureWindowClass({kClassName, WindowBase::Procedure, CS_DBLCLKS, nullptr, GetSysColorBrush(COLOR_BTNFACE)});
  return kClassName;
}

HWND CreateContainer(HWND parent, int id, DWORD style, ContainerHandler handler, void* context) {
  return Container::Create(parent, id, style, handler, context);
}

}  // namespace zk
