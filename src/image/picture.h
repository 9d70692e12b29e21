// The picture the image page shows: one graphic of a decoder's kind, which
// knows its size, draws itself into any rectangle and, for animated pictures,
// steps through its frames.
#pragma once

#include <windows.h>

#include <memory>

#include "base/win_handles.h"
#include "image/dib/nk_dib.h"
#include "image/dib_section.h"

namespace zk {

class Picture {
 public:
  virtual ~Picture() = default;
  virtual SIZE Size() const = 0;
  // Draws the whole picture stretched into rect.
  virtual void Draw(HDC dc, const RECT& rect) const = 0;
  // 24-bit pixels of the picture at its own size when it holds them, else empty.
  virtual PixelView Pixels() const { return {}; }

  // Animated pictures: the delay (ms) before the next frame, or -1 when the
  // picture does not animate (any more). NextFrame moves on by one frame.
  virtual int FirstDelay() const { return -1; }
  virtual int NextFrame() { return -1; }
};

// Draws a bitmap of `size` into rect: averaged when reduced, sharp when enlarged.
void DrawBitmapStretched(HDC dc, const RECT& rect, HBITMAP bitmap, SIZE size);

// A bitmap shown as it is (stretched with smoothing when reduced).
std::unique_ptr<Picture> MakeBitmapPicture(UniqueBitmap bitmap);
std::unique_ptr<Picture> MakeBitmapPicture(DibSection24 section);

struct EnhMetafileTraits {
  static HENHMETAFILE Invalid() { return nullptr; }
  static bool IsValid(HENHMETAFILE h) { return h != nullptr; }
  static void Close(HENHMETAFILE h) { DeleteEnhMetaFile(h); }
};
using UniqueEnhMetafile = UniqueResource<HENHMETAFILE, EnhMetafileTraits>;

// An enhanced metafile of the given size in pixels; transparent parts show
// whatever was drawn before it.
std::unique_ptr<Picture> MakeMetafilePicture(UniqueEnhMetafile metafile, SIZE size);

// The DIB container's picture, drawn through its own palette.
std::unique_ptr<Picture> MakeDIBPicture(const TNkDIB& dib);

// The picture drawn at its own size over `background` into a new 24-bit bitmap.
DibSection24 PictureToDibSection(const Picture& picture, COLORREF background);

}  // namespace zk
