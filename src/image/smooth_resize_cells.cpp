// The definition of a target pixel: the bilinear surface through the source
// pixel centres integrated over the pixel's footprint, one source cell at a time.
#include <cmath>

#include "image/smooth_resize_detail.h"

namespace zk::resize_detail {
namespace {

// The part of cell [c, c + 1] inside a span: its length and the mean local
// coordinate (0 at c, 1 at c + 1) over that part.
struct Overlap {
  double length, mean;
};

Overlap CellOverlap(int c, Span s) {
  const bool starts_inside = c > s.lo;
  const bool ends_inside = c + 1 < s.hi;
  if (starts_inside && ends_inside) return {1, 0.5};
  if (ends_inside) return {1 - (s.lo - c), ((s.lo - c) + 1) / 2};
  if (starts_inside) return {s.hi - c, (s.hi - c) / 2};
  return {s.hi - s.lo, ((s.hi - c) + (s.lo - c)) / 2};
}

int Clamp(int i, int size) { return i < 0 ? 0 : i >= size ? size - 1 : i; }
int FloorInt(double v) { return static_cast<int>(std::floor(v)); }

// Nearest integer, ties to even (the default rounding mode), as a byte.
uint8_t ToByte(double v) {
  const double r = std::nearbyint(v);
  return r <= 0 ? 0 : r >= 255 ? 255 : static_cast<uint8_t>(r);
}

}  // namespace

// The upper end stays just short of the next footprint's start, so a
// whole-number boundary opens no extra cell.
Span Footprint(int t, double scale) { return {t * scale - 0.5, (t + 1) * scale - 0.500001}; }

void ExactPixel(const PixelView& src, Span sx, Span sy, double k, uint8_t* out) {
  const int bpp = src.bytes_per_pixel;
  double sum[3] = {0, 0, 0};
  for (int i = FloorInt(sy.lo); i <= FloorInt(sy.hi); ++i) {
    const Overlap oy = CellOverlap(i, sy);
    const uint8_t* row0 = src.Row(Clamp(i, src.height));
    const uint8_t* row1 = src.Row(Clamp(i + 1, src.height));
    for (int j = FloorInt(sx.lo); j <= FloorInt(sx.hi); ++j) {
      const Overlap ox = CellOverlap(j, sx);
      const int j0 = Clamp(j, src.width) * bpp;
      const int j1 = Clamp(j + 1, src.width) * bpp;
      for (int ch = 0; ch < 3; ++ch) {
        const double p00 = row0[j0 + ch], p10 = row0[j1 + ch], p01 = row1[j0 + ch], p11 = row1[j1 + ch];
        const double a = p00, b = p10 - p00, c = p01 - p00, d = p11 - p10 - p01 + p00;
        sum[ch] += ox.length * oy.length * (a + b * ox.mean + c * oy.mean + d * ox.mean * oy.mean);
      }
    }
  }
  for (int ch = 0; ch < 3; ++ch) out[ch] = ToByte(sum[ch] / k);
}

// Linear interpolation across a cell gives length * (1 - mean) of the cell to
// its first pixel and length * mean to its second; cells past the border fold
// onto the border pixel.
AxisTaps BuildTaps(int source_size, int target_size, double scale) {
  AxisTaps a;
  a.spans.reserve(target_size);
  a.first.reserve(target_size);
  a.start.reserve(target_size + 1);
  a.start.push_back(0);
  for (int t = 0; t < target_size; ++t) {
    const Span s = Footprint(t, scale);
    a.spans.push_back(s);
    const int lo = FloorInt(s.lo), hi = FloorInt(s.hi);
    const int first = Clamp(lo, source_size), last = Clamp(hi + 1, source_size);
    a.first.push_back(first);
    if (hi < lo || !a.usable) {
      a.usable = false;
      a.start.push_back(a.weights.size());
      continue;
    }
    const size_t base = a.weights.size();
    a.weights.resize(base + (last - first + 1), 0.0);
    for (int j = lo; j <= hi; ++j) {
      const Overlap o = CellOverlap(j, s);
      a.weights[base + (Clamp(j, source_size) - first)] += o.length * (1 - o.mean);
      a.weights[base + (Clamp(j + 1, source_size) - first)] += o.length * o.mean;
    }
    for (size_t i = base; i < a.weights.size(); ++i) {
      if (!(a.weights[i] >= 0)) a.usable = false;
    }
    a.start.push_back(a.weights.size());
  }
  return a;
}

}  // namespace zk::resize_detail
