// The shown picture onto the clipboard.
#pragma once

#include <windows.h>

#include "image/picture.h"

namespace zk {

// Puts the picture, drawn at its own size over `background`, on the clipboard
// as a device-independent bitmap (the system offers the other bitmap formats
// from it). False when the clipboard stayed busy or memory ran out.
bool PutPictureOnClipboard(HWND owner, const Picture& picture, COLORREF background);

}  // namespace zk
