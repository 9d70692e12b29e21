// 24-bit top-down DIB sections: the memory decoders write into and the
// pictures the image page shows.
#pragma once

#include <windows.h>

#include "base/win_handles.h"
#include "image/decoders/pixel_sink.h"
#include "image/pixel_buffer.h"

namespace zk {

struct DibSection24 {
  UniqueBitmap bitmap;
  uint8_t* bits = nullptr;  // row 0 is the top row
  int width = 0;
  int height = 0;
  ptrdiff_t stride = 0;
  PixelView View() const { return {bits, width, height, stride, 3}; }
};

// Throws std::bad_alloc when the platform has no memory for it.
DibSection24 CreateDibSection24(int width, int height);

// A sink handing out the rows of a new DIB section.
class DibSectionSink final : public PixelSink {
 public:
  PixelTarget Allocate(int width, int height) override;
  DibSection24 section;
};

// The pixels of any bitmap as 24-bit rows: a view into a 24- or 32-bit DIB
// section itself, else a copy read through the platform into `copy`.
PixelView BitmapPixels(HBITMAP bitmap, PixelBuffer& copy);

// The section turned and mirrored upright by an EXIF orientation (1..8); the
// section itself for 1.
DibSection24 TurnUpright(DibSection24 section, int orientation);

// A DIB section holding the given pixels.
DibSection24 DibSectionFromPixels(const PixelBuffer& pixels);

}  // namespace zk
