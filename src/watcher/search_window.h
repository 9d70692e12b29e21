// The search window seen from outside: finding it and its parts, reading the
// selected path out of its status bar (in its own process), and moving its
// result list.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

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

// The text of part 0 of a status bar, which may live in another process.
// The text is copied into memory reserved in that process and read back;
// every failure (no parts, a window gone, a process that cannot be opened,
// memory that cannot be reserved or read) gives an empty text.
std::u16string ReadStatusBarText(HWND status_bar);

// Posts a key press and release with the virtual key `key` to `wnd`.
void PostKeyStroke(HWND wnd, uint8_t key);

}  // namespace zk
