#include "base/ui/window_base.h"

#include "base/ui/modal_dialog.h"

namespace zk {

struct WindowLink {
  // Hands a message to the object in the window's slot; `arriving` is the
  // object that comes with the window's first message. Messages before it
  // go to `unhandled`.
  template <typename Object, typename Unhandled>
  static auto Forward(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, int slot, Object* arriving, Unhandled unhandled) {
    auto* self = reinterpret_cast<Object*>(GetWindowLongPtrW(wnd, slot));
    if (arriving) {
      self = arriving;
      self->wnd_ = wnd;
      SetWindowLongPtrW(wnd, slot, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return unhandled(wnd, msg, wp, lp);
    const auto result = self->OnMessage(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrW(wnd, slot, 0);
      self->wnd_ = nullptr;
      self->OnDetached();
    }
    return result;
  }

  // Leaves a window that outlives its object without one.
  template <typename Object>
  static void Forget(Object* self, int slot) {
    if (self->wnd_ && IsWindow(self->wnd_) && GetWindowLongPtrW(self->wnd_, slot) == reinterpret_cast<LONG_PTR>(self))
      SetWindowLongPtrW(self->wnd_, slot, 0);
  }
};

WindowBase::~WindowBase() { WindowLink::Forget(this, GWLP_USERDATA); }

HWND WindowBase::CreateFor(DWORD ex_style, const wchar_t* class_name, const wchar_t* caption, DWORD style, int x,
                           int y, int width, int height, HWND parent, HMENU menu) {
  return CreateWindowExW(ex_style, class_name, caption, style, x, y, width, height, parent, menu,
                         GetModuleHandleW(nullptr), static_cast<WindowBase*>(this));
}

void WindowBase::FillWithParentColor(HDC dc, const RECT& rect) const {
  HBRUSH back = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(wnd_), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(wnd_)));
  FillRect(dc, &rect, back ? back : GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT CALLBACK WindowBase::Procedure(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  WindowBase* arriving =
      msg == WM_NCCREATE ? static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams) : nullptr;
  return WindowLink::Forward(wnd, msg, wp, lp, GWLP_USERDATA, arriving,
                             [](HWND w, UINT m, WPARAM p, LPARAM q) { return DefWindowProcW(w, m, p, q); });
}

DialogBase::~DialogBase() { WindowLink::Forget(this, DWLP_USER); }

HWND DialogBase::CreateEmptyFor(HWND owner, const std::wstring& caption) {
  scale_ = DialogScale::ForOwner(owner);
  font_ = scale_.Font();
  return CreateEmptyDialog(owner, caption, Procedure, Param());
}

void DialogBase::OnDpiChanged(int dpi, const RECT& suggested) {
  // Placing the dialog on its owner's monitor reports the DPI it was built for.
  if (!wnd_ || dpi <= 0 || dpi == scale_.dpi()) return;
  const DialogScale old_scale = scale_;
  scale_ = DialogScale(dpi);
  UniqueFont font = scale_.Font();
  RescaleWindow(wnd_, old_scale.dpi(), dpi, suggested, {{font_.get(), font.get()}});
  font_ = std::move(font);  // the controls no longer use the old one
}

INT_PTR CALLBACK DialogBase::Procedure(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DPICHANGED) {
    // Handled here, so that the dialog manager does not scale the dialog a second time.
    auto* self = reinterpret_cast<DialogBase*>(GetWindowLongPtrW(wnd, DWLP_USER));
    if (self && lp) {
      self->OnDpiChanged(LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return TRUE;
    }
  }
  DialogBase* arriving = msg == WM_INITDIALOG ? reinterpret_cast<DialogBase*>(lp) : nullptr;
  return WindowLink::Forward(wnd, msg, wp, lp, DWLP_USER, arriving,
                             [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; });
}

}  // namespace zk
