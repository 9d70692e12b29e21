// Small row helpers shared by the decoders.
#pragma once

#include "image/decoders/pixel_sink.h"

namespace zk {

// Paints rows [first, last) of a width-pixel target in one colour.
inline void FillRows(PixelTarget target, int width, int first, int last, Rgb colour) {
  for (int y = first; y < last; ++y) {
    uint8_t* p = target.Row(y);
    for (int x = 0; x < width; ++x, p += 3) {
      p[0] = colour.b;
      p[1] = colour.g;
      p[2] = colour.r;
    }
  }
}

}  // namespace zk
