// Smooth resampling for the fitted picture: every target pixel is the mean of
// the bilinear surface through the source pixel centres over the target
// pixel's footprint (an area average when reducing, bilinear-like when
// enlarging).
#pragma once

#include <cstdint>

#include "image/pixel_buffer.h"

namespace zk {

// Pixels the fast float sums could not round with certainty: how many were
// summed again in double precision, and how many of those went cell by cell.
struct SmoothResizeStats {
  int64_t double_checked_pixels = 0;
  int64_t exact_pixels = 0;
};

// A new 24-bit picture of width x height (each at least 1) from `source`,
// which is left alone. Throws std::invalid_argument for a source without
// pixels, a target smaller than 1 x 1 or a pixel size other than 3 or 4 bytes.
PixelBuffer SmoothResize(const PixelView& source, int width, int height, SmoothResizeStats* stats = nullptr);

}  // namespace zk
