#include "image/picture_clipboard.h"

#include <cstring>
#include <new>

#include "base/win_clipboard.h"
#include "image/dib/nk_dib_win.h"

namespace zk {

bool PutPictureOnClipboard(HWND owner, const Picture& picture, COLORREF background) {
  UniqueGlobal block;
  try {
    const DibSection24 dib = PictureToDibSection(picture, background);
    const size_t row = static_cast<size_t>(dib.stride);
    const size_t bits = row * static_cast<size_t>(dib.height);
    block.reset(GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + bits));
    if (!block) return false;
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(block.get()));
    if (!header) return false;
    *header = {};
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = dib.width;
    header->biHeight = dib.height;  // the clipboard's bitmaps are bottom-up
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    header->biSizeImage = static_cast<DWORD>(bits);
    auto* out = reinterpret_cast<uint8_t*>(header + 1);
    for (int y = 0; y < dib.height; ++y) std::memcpy(out + (dib.height - 1 - y) * row, dib.bits + y * dib.stride, row);
    GlobalUnlock(block.get());
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!OpenClipboardPatiently(owner)) return false;
  EmptyClipboard();
  const bool placed = SetClipboardData(CF_DIB, block.get()) != nullptr;
  if (placed) block.release();  // the clipboard owns it now
  CloseClipboard();
  return placed;
}

}  // namespace zk
