// Plain pixels from a DIB: RLE data decoded into ordinary rows, and any
// picture as 32-bit colours for drawing code and checks that want one layout.
#pragma once

#include <cstdint>
#include <vector>

#include "image/dib/nk_dib.h"

namespace zk {

// The picture of a 4- or 8-bit RLE DIB as plain rows of the same bit count,
// laid out as the platform stores them (from the bottom, rows padded to
// 32 bits). Pixels the data skips (end of line, delta, early end) get colour
// index 0; data running past the picture is clipped.
std::vector<uint8_t> DecodeRLE(const TNkInternalDIB& dib);

// Every pixel as 0x00RRGGBB, rows from the top, width * height of them.
struct DIBPixels {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
// Throws ENkDIBError for formats the container does not hold.
DIBPixels ExpandToRGB(const TNkInternalDIB& dib);

}  // namespace zk
