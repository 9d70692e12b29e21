// Photos whose pixels lie on their side: the EXIF orientation (tag 274) that
// turns them upright, and the turning itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "image/pixel_buffer.h"

namespace zk {

// The orientation 1..8 of a JPEG's APP1 "Exif" segment (before its scan
// data); 1 (as stored) when there is none or it is damaged.
int JpegExifOrientation(std::span<const uint8_t> jpeg);
// The orientation in a TIFF structure (as inside the Exif segment); 1 when
// there is none or it is damaged.
int TiffOrientation(std::span<const uint8_t> tiff);

// Whether the upright picture has width and height swapped (orientations 5-8).
inline bool OrientationSwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

// Writes src turned and mirrored upright by `orientation` into 24-bit rows at
// dst (top row first, `dst_stride` bytes apart), which hold the upright size.
void OrientPixels(PixelView src, int orientation, uint8_t* dst, ptrdiff_t dst_stride);

}  // namespace zk
