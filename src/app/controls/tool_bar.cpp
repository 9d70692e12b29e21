#include "app/controls/tool_bar.h"

namespace zk {

bool ToolBar::Create(HWND parent, int id, HIMAGELIST pictures, int button_size) {
  wnd_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_ADJUSTABLE |
                             CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
                         0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
  if (!wnd_) return false;
  SendMessageW(wnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(wnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures));
  // Captions feed the tool tips and the customisation dialog, never the buttons.
  SendMessageW(wnd_, TB_SETMAXTEXTROWS, 0, 0);
  SendMessageW(wnd_, TB_SETBUTTONSIZE, 0, MAKELPARAM(button_size, button_size));
  return true;
}

void ToolBar::SetPictures(HIMAGELIST pictures, int button_size) {
  if (!wnd_) return;
  SendMessageW(wnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(pictures));
  SendMessageW(wnd_, TB_SETBUTTONSIZE, 0, MAKELPARAM(button_size, button_size));
  InvalidateRect(wnd_, nullptr, TRUE);
}

void ToolBar::SetButtons(const std::vector<Button>& buttons) {
  if (!wnd_) return;
  SendMessageW(wnd_, WM_SETREDRAW, FALSE, 0);
  while (SendMessageW(wnd_, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(wnd_, TB_DELETEBUTTON, 0, 0);
  captions_.clear();
  captions_.reserve(buttons.size());
  std::vector<TBBUTTON> made;
  for (const Button& b : buttons) {
    captions_.push_back(b.caption);
    TBBUTTON t{};
    t.idCommand = b.command;
    t.iBitmap = b.command ? b.picture : 8;  // a separator's width
    t.fsStyle = static_cast<BYTE>(b.command ? BTNS_BUTTON : BTNS_SEP);
    t.fsState = static_cast<BYTE>(TBSTATE_ENABLED | (b.hidden ? TBSTATE_HIDDEN : 0));
    t.iString = b.command ? reinterpret_cast<INT_PTR>(captions_.back().c_str()) : -1;
    made.push_back(t);
  }
  if (!made.empty()) SendMessageW(wnd_, TB_ADDBUTTONSW, made.size(), reinterpret_cast<LPARAM>(made.data()));
  SendMessageW(wnd_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(wnd_, nullptr, TRUE);
}

std::vector<ToolBar::Button> ToolBar::Buttons() const {
  std::vector<Button> buttons;
  const int count = ButtonCount();
  for (int i = 0; i < count; ++i) {
    TBBUTTON t{};
    SendMessageW(wnd_, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&t));
    Button b;
    if (!(t.fsStyle & BTNS_SEP)) {
      b.command = t.idCommand;
      b.picture = t.iBitmap;
      const LRESULT length = SendMessageW(wnd_, TB_GETBUTTONTEXTW, t.idCommand, 0);
      if (length > 0) {
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        SendMessageW(wnd_, TB_GETBUTTONTEXTW, t.idCommand, reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        b.caption = std::move(text);
      }
    }
    b.hidden = (t.fsState & TBSTATE_HIDDEN) != 0;
    buttons.push_back(b);
  }
  return buttons;
}

int ToolBar::ButtonCount() const { return wnd_ ? static_cast<int>(SendMessageW(wnd_, TB_BUTTONCOUNT, 0, 0)) : 0; }

RECT ToolBar::ButtonRect(int index) const {
  RECT r{};
  if (wnd_) SendMessageW(wnd_, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  return r;
}

void ToolBar::SetState(int command, bool enabled, bool checked) {
  if (!wnd_) return;
  const LRESULT state = SendMessageW(wnd_, TB_GETSTATE, command, 0);
  if (state == -1) return;
  BYTE wanted = static_cast<BYTE>(state & ~(TBSTATE_ENABLED | TBSTATE_CHECKED));
  if (enabled) wanted |= TBSTATE_ENABLED;
  if (checked) wanted |= TBSTATE_CHECKED;
  if (wanted != static_cast<BYTE>(state)) SendMessageW(wnd_, TB_SETSTATE, command, MAKELPARAM(wanted, 0));
}

void ToolBar::SetVisible(bool visible) {
  if (wnd_) ShowWindow(wnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool ToolBar::visible() const { return wnd_ && (GetWindowLongW(wnd_, GWL_STYLE) & WS_VISIBLE); }

void ToolBar::Customize() {
  if (wnd_) SendMessageW(wnd_, TB_CUSTOMIZE, 0, 0);
}

}  // namespace zk
