// Keeps the program to one running copy. The first copy holds a named lock
// object; a later copy finds it, brings the first copy's window to the front
// and ends.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "base/win_handles.h"

namespace zk {

enum TDupInstAction : uint8_t {
  diActivateFirst,  // bring the first copy's window to the front, then end
  diException,      // throw ESingleInstance with ErrorMessage
  diTerminate,      // end
};

// Thrown by a second TSingleInstance in one process and by diException.
class ESingleInstance : public std::runtime_error {
 public:
  explicit ESingleInstance(const std::u16string& message);
  const std::u16string& Message() const { return message_; }

 private:
  std::u16string message_;
};

class TSingleInstance {
 public:
  // Throws ESingleInstance "Only single component allowed" while another
  // one is alive in this process.
  TSingleInstance();
  ~TSingleInstance();
  TSingleInstance(const TSingleInstance&) = delete;
  TSingleInstance& operator=(const TSingleInstance&) = delete;

  TDupInstAction DupInstAction = diActivateFirst;
  std::u16string ErrorMessage = u"すでに起動されています";
  std::u16string UniqueName;  // name of the lock object that marks a running copy
  std::function<void(TSingleInstance& sender)> OnDuplicate;  // in a later copy, before the action
  // Caption of the first copy's application window; empty: this program's
  // file name without folder and extension.
  std::u16string FirstCopyCaption;

  // Run once the owner is set up. True: this is the first copy and goes on.
  // False: another copy runs and this one must end before any of its own
  // start-up; with diActivateFirst the first copy's window is remembered for
  // BringRememberedWindowToFront. Throws ESingleInstance with diException.
  bool Check();

  // The window remembered by Check for this process, or null.
  static HWND RememberedWindow();
  // Makes the remembered window the foreground window; call it as the
  // process ends.
  static void BringRememberedWindowToFront();

 private:
  UniqueHandle lock_;
};

// The first top-level window of class "TApplication" (any letter case) with
// the given caption (any letter case) that does not belong to the process
// `own_process`; null when there is none.
HWND FindApplicationWindow(const std::u16string& caption, DWORD own_process);

}  // namespace zk
