// Dialog windows built in code: an empty in-memory dialog template gives the
// platform's dialog manager (Tab, Esc, Enter, mnemonics), the caller creates
// the controls, and a modal loop of our own lets the dialog look at each
// message first.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "base/win_handles.h"

namespace zk {

// The program's window font: Tahoma, height -11.
UniqueFont CreateDesignFont();

// A hidden dialog window without controls, owned by owner. proc gets param
// with WM_INITDIALOG.
HWND CreateEmptyDialog(HWND owner, const std::wstring& caption, DLGPROC proc, LPARAM param);

// Gives the dialog the client size and centres it on the owner (on the screen
// without one), kept inside the owner's monitor.
void PlaceDialog(HWND dialog, HWND owner, int client_width, int client_height);

// Keeps a window disabled while a modal dialog of it is open. Enable() gives
// the window back its input before the dialog goes, so that the activation
// returns to it; the destructor does so on any other way out.
class DisabledOwner {
 public:
  explicit DisabledOwner(HWND owner)
      : owner_(owner && IsWindowEnabled(owner) ? owner : nullptr) {
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

// Runs messages until done turns true or the dialog is destroyed.
// pre_translate sees each message first and returns true when it took it. A
// quit message ends the loop and is posted again for the outer loop.
void RunModalLoop(HWND dialog, const bool& done, const std::function<bool(MSG&)>& pre_translate);

}  // namespace zk
