// Inside the smooth resampler: the cell-by-cell definition of one target pixel
// and the per-axis weights it folds into. Shared by the resampler's tiers and
// their tests; not for other callers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/pixel_buffer.h"
#include "image/smooth_resize.h"

namespace zk::resize_detail {

// A target pixel's footprint along one axis, in source coordinates where the
// source pixel centres lie at whole numbers.
struct Span {
  double lo, hi;
};

Span Footprint(int t, double scale);

// One target pixel straight from the definition, cell by cell; k is the
// source area of a target pixel.
void ExactPixel(const PixelView& src, Span sx, Span sy, double k, uint8_t* out);

// Per target index on one axis: its footprint and the contiguous run of
// source indices it reads with their weights.
struct AxisTaps {
  std::vector<Span> spans;
  std::vector<int> first;     // first source index of each run
  std::vector<size_t> start;  // where each run begins in `weights`, plus the end
  std::vector<double> weights;
  bool usable = true;  // false when a footprint is empty or backwards (absurd enlargement)

  int Count(int t) const { return static_cast<int>(start[t + 1] - start[t]); }
};

AxisTaps BuildTaps(int source_size, int target_size, double scale);

// Which tier computes the pixels: the normal choice, or every pixel through
// the double-precision check or the cell-by-cell definition (for the tests).
enum class Tier { kAuto, kDouble, kExact };

PixelBuffer SmoothResize(const PixelView& source, int width, int height, SmoothResizeStats* stats, Tier tier);

}  // namespace zk::resize_detail
