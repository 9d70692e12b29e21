// Plain text onto the clipboard.
#pragma once

#include <windows.h>

#include <string>

namespace zk {

// Replaces the clipboard's contents with the text (CF_UNICODETEXT; the
// system offers the ANSI form from it). False when the clipboard stayed
// busy or memory ran out; the clipboard is then left as it was where possible.
bool SetClipboardText(HWND owner, const std::u16string& text);

// The clipboard's text, or empty when it holds none.
std::u16string ClipboardText(HWND owner);

}  // namespace zk
