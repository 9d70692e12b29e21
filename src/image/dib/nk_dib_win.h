// The DIB container on the platform: loading files, drawing onto a device
// context, the exchange with ordinary bitmaps, the clipboard's DIB format
// (format 8) and the palette made from the colour table.
#pragma once

#include <windows.h>

#include <string>

#include "base/win_handles.h"
#include "image/dib/nk_dib.h"

namespace zk {

using UniquePalette = UniqueResource<HPALETTE, GdiTraits<HPALETTE>>;

struct GlobalMemoryTraits {
  static HGLOBAL Invalid() { return nullptr; }
  static bool IsValid(HGLOBAL h) { return h != nullptr; }
  static void Close(HGLOBAL h) { GlobalFree(h); }
};
using UniqueGlobal = UniqueResource<HGLOBAL, GlobalMemoryTraits>;

// Reads a Windows bitmap file. Throws ENkDIBError (also when the file
// cannot be opened); the picture then keeps what it held.
void LoadDIBFromFile(TNkDIB& dib, const std::u16string& path);

// The palette made from the colour table on first need, owned by the
// picture's storage (do not delete it); nullptr for a picture without colours.
HPALETTE DIBPalette(const TNkDIB& dib);

// Draws the whole picture stretched into rect, RLE data decoded by the
// platform, with the picture's palette realised as a background palette.
// False when the platform refused.
bool DrawDIB(const TNkDIB& dib, HDC dc, const RECT& rect, DWORD rop = SRCCOPY);

// An ordinary bitmap (a DIB section from the bottom) of the picture's size in
// its pixel format (RLE pictures decoded to 4 or 8 bits) with its colour
// table, and a copy of its palette (empty without colours).
struct DIBBitmap {
  UniqueBitmap bitmap;
  UniquePalette palette;
};
DIBBitmap AssignDIBToBitmap(const TNkDIB& dib);

// New storage holding the bitmap's pixels: 1, 4 and 8 bits per pixel kept,
// others read as 24 bits; the palette, when given, is realised for the read.
// Throws ENkDIBError.
void AssignDIBFromBitmap(TNkDIB& dib, HBITMAP bitmap, HPALETTE palette = nullptr);

// A movable, zero-initialised memory block in the clipboard's DIB layout for
// SetClipboardData(CF_DIB, ...). Throws ENkDIBOutOfResources.
UniqueGlobal SaveDIBToClipboardFormat(const TNkDIB& dib);

// Reads a clipboard block of format CF_DIB. Throws ENkDIBError.
void LoadDIBFromClipboardFormat(TNkDIB& dib, UINT format, HANDLE data);

}  // namespace zk
