#include "app/controls/hint_window.h"

#include <commctrl.h>

#include "base/ui/dialog_scale.h"
#include "base/win_text.h"

namespace zk {
namespace {

TTTOOLINFOW ToolFor(HWND owner, HWND control) {
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof(ti);
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = owner;
  ti.uId = reinterpret_cast<UINT_PTR>(control);
  return ti;
}

}  // namespace

HintWindow::~HintWindow() {
  if (wnd_) DestroyWindow(wnd_);
}

bool HintWindow::Create(HWND owner) {
  wnd_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
  if (!wnd_) return false;
  // Lets a hint run over several lines where it has line breaks.
  SendMessageW(wnd_, TTM_SETMAXTIPWIDTH, 0, DialogScale::ForOwner(owner)(400));
  return true;
}

void HintWindow::SetHint(HWND control, const std::u16string& text) {
  if (!wnd_ || !control) return;
  TTTOOLINFOW ti = ToolFor(GetParent(control), control);
  std::wstring copy = ToWide(text);
  ti.lpszText = copy.data();
  if (tools_.count(control)) {
    SendMessageW(wnd_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  } else if (SendMessageW(wnd_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti))) {
    tools_.insert(control);
  }
}

std::u16string HintWindow::Hint(HWND control) const {
  if (!wnd_ || !tools_.count(control)) return {};
  TTTOOLINFOW ti = ToolFor(GetParent(control), control);
  wchar_t buf[512] = {};
  ti.lpszText = buf;
  // Without a tool of that id the text stays empty.
  SendMessageW(wnd_, TTM_GETTEXTW, 512, reinterpret_cast<LPARAM>(&ti));
  return FromWide(buf);
}

}  // namespace zk
