// The search window seen from outside: finding it and its parts, reading the
// selected path out of its status bar (in its own process), and moving its
// result list.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "base/win_handles.h"
#include "watcher/watch_rules.h"

namespace zk {

// The first descendant of `parent` whose class name equals `class_name` in
// any letter case, or null. Looks at no more than `limit` windows. A null
// parent finds nothing.
HWND FindChildWindowByClass(HWND parent, const std::u16string& class_name,
                            size_t limit = kMaxDescendantsSearched);

// The top-level window of class "EVERYTHING", when its caption contains the
// word; null otherwise.
HWND FindSearchWindow();

// Reads the text of part 0 of a status bar, which may live in another
// process: the status bar copies it into memory reserved in that process, and
// it is read back from there. Every failure (no parts, a window gone, a
// process that cannot be opened, memory that cannot be reserved or read)
// gives an empty text.
//
// The process handle and the memory are kept from one read to the next while
// the status bar stays in the same process, since reserving memory in another
// process is the dearest part of a read; they are released when the status
// bar moves to another process, on Release() and with the reader.
class StatusBarReader {
 public:
  StatusBarReader() = default;
  ~StatusBarReader() { Release(); }
  StatusBarReader(const StatusBarReader&) = delete;
  StatusBarReader& operator=(const StatusBarReader&) = delete;

  std::u16string Read(HWND status_bar);
  void Release();
  // Memory is reserved in another process right now.
  bool holds_memory() const { return remote_ != nullptr; }

 private:
  bool Prepare(DWORD process_id, size_t bytes);

  HWND counted_bar_ = nullptr;  // the status bar whose parts were counted
  UniqueHandle process_;
  DWORD process_id_ = 0;
  void* remote_ = nullptr;
  size_t remote_bytes_ = 0;
};

// One read that keeps nothing afterwards.
std::u16string ReadStatusBarText(HWND status_bar);

// Posts a key press and release with the virtual key `key` to `wnd`.
void PostKeyStroke(HWND wnd, uint8_t key);

}  // namespace zk
