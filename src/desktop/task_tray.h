// TTaskTray: an icon with a tip in the notification area whose mouse
// notifications become component events and pop-up menus.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "base/win_handles.h"
#include "desktop/popup_menu.h"

namespace zk {

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };
enum TShiftBits : uint8_t { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64 };
using TShiftState = uint8_t;

// An operation the component's state does not allow; carries the message shown.
class EInvalidOperation : public std::runtime_error {
 public:
  explicit EInvalidOperation(const std::u16string& message);
  const std::u16string& Message() const { return message_; }

 private:
  std::u16string message_;
};

// The message the notification area sends to the process's hidden window.
inline constexpr UINT kTrayCallbackMessage = WM_USER + 102;
// Class of that hidden window.
inline constexpr wchar_t kNotifyWindowClass[] = L"TNotifyWindow";

class TTaskTray {
 public:
  // `owner`: the window the component belongs to (may be null); it becomes
  // the foreground window before a menu is shown.
  explicit TTaskTray(HWND owner);
  ~TTaskTray();
  TTaskTray(const TTaskTray&) = delete;
  TTaskTray& operator=(const TTaskTray&) = delete;

  PopupMenu* PopupMenuL() const { return popup_l_; }
  PopupMenu* PopupMenuR() const { return popup_r_; }
  void SetPopupMenuL(PopupMenu* menu) { SetMenu(popup_l_, menu); }
  void SetPopupMenuR(PopupMenu* menu) { SetMenu(popup_r_, menu); }

  const std::u16string& TipString() const { return tip_; }
  void SetTipString(const std::u16string& tip);
  // The component keeps its own copy of the icon; null takes the icon out
  // of the notification area.
  HICON Icon() const { return icon_.get(); }
  void SetIcon(HICON icon);
  int IconID() const { return id_; }
  // Throws EInvalidOperation for 0 or less and for an identifier another
  // component of the process holds.
  void SetIconID(int id);
  bool Registered() const { return registered_; }
  // Throws EInvalidOperation without an icon, or when the notification area
  // keeps timing out.
  void SetRegistered(bool registered);

  std::function<void(TTaskTray& sender, TMouseButton button)> OnDblClick;
  std::function<void(TTaskTray& sender, TShiftState shift, int x, int y)> OnMouseMove;
  std::function<void(TTaskTray& sender, TMouseButton button, TShiftState shift, int x, int y)> OnMouseDown;
  std::function<void(TTaskTray& sender, TMouseButton button, TShiftState shift, int x, int y)> OnMouseUp;

  // The icon has been handed to the notification area.
  bool added() const { return added_; }
  // The process's hidden window that receives every tray notification
  // (null until the first icon is shown).
  static HWND NotifyWindow();

 private:
  friend struct TrayNotifyRouter;
  void SetMenu(PopupMenu*& slot, PopupMenu* menu);
  void UpdateTray();
  void RemoveFromTray();
  void HandleNotification(UINT mouse_message);
  void MouseDown(TMouseButton button, TShiftState shift, POINT at);

  HWND owner_;
  int id_;
  bool registered_ = false;
  bool added_ = false;
  bool record_ready_ = false;
  std::u16string tip_;
  UniqueIcon icon_;
  PopupMenu* popup_l_ = nullptr;
  PopupMenu* popup_r_ = nullptr;
  NOTIFYICONDATAW record_{};
};

}  // namespace zk
