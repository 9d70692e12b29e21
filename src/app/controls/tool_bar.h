// The platform toolbar: buttons with pictures and no captions shown, tool
// tips, and the platform's own customisation dialog.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace zk {

class ToolBar {
 public:
  struct Button {
    int command = 0;  // 0 for a separator
    int picture = -1;
    bool hidden = false;
    std::wstring caption;  // shown in the customisation dialog and as the tool tip's fallback
  };

  bool Create(HWND parent, int id, HIMAGELIST pictures, int button_size);
  // Other pictures (the caller keeps owning them) and button size, as after a DPI change.
  void SetPictures(HIMAGELIST pictures, int button_size);
  HWND hwnd() const { return wnd_; }

  void SetButtons(const std::vector<Button>& buttons);
  std::vector<Button> Buttons() const;
  int ButtonCount() const;
  // The button's rectangle in the toolbar's client coordinates.
  RECT ButtonRect(int index) const;
  void SetState(int command, bool enabled, bool checked);

  void SetVisible(bool visible);
  bool visible() const;
  // The platform's customisation dialog; returns when it is closed.
  void Customize();

 private:
  HWND wnd_ = nullptr;
  std::vector<std::wstring> captions_;  // kept alive for the buttons' text pointers
};

}  // namespace zk
