// Modal windows: dialogs built in code (an empty in-memory dialog template
// gives the platform's dialog manager, the caller creates the controls) and
// the one modal loop that every modal window of the program runs in.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "base/ui/dialog_scale.h"

namespace zk {

// A hidden dialog window without controls, owned by owner. proc gets param
// with WM_INITDIALOG.
HWND CreateEmptyDialog(HWND owner, const std::wstring& caption, DLGPROC proc, LPARAM param);

// Gives the dialog the client size (laid out at 96 DPI, at the scale's DPI)
// and centres it on the owner (on the screen without one), kept inside the
// owner's monitor.
void PlaceDialog(HWND dialog, HWND owner, const DialogScale& scale, int client_width, int client_height);

struct ModalOptions {
  // Runs once the window is shown, before the first message.
  std::function<void()> on_shown;
  // Sees each message first; true when it took it.
  std::function<bool(MSG&)> pre_translate;
  // The dialog manager's keys (Tab, Enter, Esc, mnemonics) for the window.
  bool dialog_keys = true;
};

// Runs a created, hidden window as a modal window of owner: the owner loses
// its input, the window is shown, and messages run until done turns true or
// the window is destroyed. The owner then gets its input back before the
// window is hidden, so that the activation returns to it, and the control
// that had the focus gets it again once the owner is active. A quit message
// ends the run and is posted again for the outer loop. The caller destroys
// the window when it wants.
void RunModal(HWND window, HWND owner, const bool& done, const ModalOptions& options = {});

}  // namespace zk
