// The definition integrates, for each target pixel, the bilinear surface over
// every source cell its footprint touches. Each cell's surface is linear in x
// and in y separately, so the whole integral folds into one weight per source
// column and one per source row, and the picture can be resampled row by row:
// a vertical pass of float multiply-adds over whole source rows, then a short
// weighted sum per target pixel.
//
// Those sums are not bit-identical to the cell-by-cell evaluation, so their
// result is only taken where it is farther from a rounding boundary (n + 0.5)
// than its error bound. The rest (hard edges half covered, for one, land just
// below n + 0.5) is summed again in double precision from the source pixels,
// and whatever even that cannot decide goes cell by cell.
#include "image/smooth_resize.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "image/smooth_resize_detail.h"

namespace zk {
namespace resize_detail {
namespace {

// Four values handled as one (a GCC vector extension: SSE on x86, plain code elsewhere).
using Float4 = float __attribute__((vector_size(16)));
using Int4 = int32_t __attribute__((vector_size(16)));

// How far a sum of the folded weights may lie from the cell-by-cell result.
// Both evaluate the same numbers; double rounding stays of the order of 1e-13
// per cell. A float sum of n nonnegative products is off by less than
// n * 2^-24 of its value (weights rounded to float and adding 0.5 for the
// rounding add a few more), and channel values stay below 256.
double DoubleMargin(int taps_x, int taps_y) { return 1e-11 + 1e-13 * (taps_x + 1.0) * (taps_y + 1.0); }
float FloatMargin(int taps_x, int taps_y) {
  return static_cast<float>(256.0 / 16777216.0 * 1.01 * (taps_x + taps_y + 5) + DoubleMargin(taps_x, taps_y));
}

// The byte a sum rounds to, or -1 when the sum lies within `margin` of a
// rounding boundary, where its error could decide the rounding.
int RoundOrUndecided(double v, double margin) {
  const double t = v + 0.5;
  const int n = static_cast<int>(t);  // v is never negative
  const double f = t - n;
  if (f <= margin || f >= 1 - margin) return -1;
  return n > 255 ? 255 : n;
}

bool Store(const double v[3], double margin, uint8_t* dst) {
  int b[3];
  for (int ch = 0; ch < 3; ++ch) {
    b[ch] = RoundOrUndecided(v[ch], margin);
    if (b[ch] < 0) return false;
  }
  for (int ch = 0; ch < 3; ++ch) dst[ch] = static_cast<uint8_t>(b[ch]);
  return true;
}

class Resampler {
 public:
  Resampler(const PixelView& src, const AxisTaps& xs, const AxisTaps& ys, double k, PixelBuffer& out)
      : src_(src), xs_(xs), ys_(ys), k_(k), out_(out), bpp_(src.bytes_per_pixel) {
    // Vertical weights divided by sy and horizontal ones by k / sy (= sx):
    // a pixel's weighted sum is then its channel value.
    const double sy = static_cast<double>(src.height) / out.height;
    wy_.resize(ys.weights.size());
    for (size_t i = 0; i < wy_.size(); ++i) wy_[i] = ys.weights[i] / sy;
    wx_.resize(xs.weights.size());
    const double x_factor = sy / k;
    for (size_t i = 0; i < wx_.size(); ++i) wx_[i] = xs.weights[i] * x_factor;
    wyf_.assign(wy_.begin(), wy_.end());
    wxf_.assign(wx_.begin(), wx_.end());
    // One float more than a row holds: a 3-byte pixel is read as four floats.
    acc_.assign(static_cast<size_t>(src.width) * bpp_ + 1, 0.0f);
  }

  void Run(Tier tier, SmoothResizeStats& stats) {
    int most_taps_x = 0;
    for (int x = 0; x < out_.width; ++x) most_taps_x = std::max(most_taps_x, xs_.Count(x));
    for (int y = 0; y < out_.height; ++y) {
      if (tier == Tier::kAuto) VerticalPass(y);
      const float margin = FloatMargin(most_taps_x, ys_.Count(y));
      uint8_t* dst = out_.Row(y);
      for (int x = 0; x < out_.width; ++x, dst += 3) {
        if (tier == Tier::kAuto && FloatPixel(x, margin, dst)) continue;
        if (tier != Tier::kExact) {
          ++stats.double_checked_pixels;
          if (DoublePixel(x, y, dst)) continue;
        }
        ++stats.exact_pixels;
        ExactPixel(src_, xs_.spans[x], ys_.spans[y], k_, dst);
      }
    }
  }

 private:
  // Weighted sum over the rows of target row y's footprint, all channels at
  // once, two rows per sweep.
  void VerticalPass(int y) {
    const size_t n = static_cast<size_t>(src_.width) * bpp_;
    const float* w = wyf_.data() + ys_.start[y];
    const int count = ys_.Count(y);
    float* a = acc_.data();
    const uint8_t* r0 = src_.Row(ys_.first[y]);
    if (count == 1) {
      for (size_t i = 0; i < n; ++i) a[i] = w[0] * r0[i];
      return;
    }
    const uint8_t* r1 = src_.Row(ys_.first[y] + 1);
    for (size_t i = 0; i < n; ++i) a[i] = w[0] * r0[i] + w[1] * r1[i];
    int r = 2;
    for (; r + 1 < count; r += 2) {
      r0 = src_.Row(ys_.first[y] + r);
      r1 = src_.Row(ys_.first[y] + r + 1);
      const float w0 = w[r], w1 = w[r + 1];
      for (size_t i = 0; i < n; ++i) a[i] += w0 * r0[i] + w1 * r1[i];
    }
    if (r < count) {
      r0 = src_.Row(ys_.first[y] + r);
      const float w0 = w[r];
      for (size_t i = 0; i < n; ++i) a[i] += w0 * r0[i];
    }
  }

  bool FloatPixel(int x, float margin, uint8_t* dst) const {
    const int taps = xs_.Count(x);
    const float* w = wxf_.data() + xs_.start[x];
    const float* a = acc_.data() + static_cast<size_t>(xs_.first[x]) * bpp_;
    Float4 sum = {0, 0, 0, 0};
    for (int i = 0; i < taps; ++i, a += bpp_) {
      Float4 v;
      std::memcpy(&v, a, sizeof v);
      sum += w[i] * v;
    }
    // Rounding half up by truncation is safe: sums are never negative, and
    // those near a boundary (ties included) go on to the next tier.
    const Float4 t = sum + 0.5f;
    const Int4 n = __builtin_convertvector(t, Int4);
    const Float4 f = t - __builtin_convertvector(n, Float4);  // exact
    const Int4 undecided = (f <= margin) | (f >= 1 - margin);
    if (undecided[0] | undecided[1] | undecided[2]) return false;
    for (int ch = 0; ch < 3; ++ch) dst[ch] = static_cast<uint8_t>(n[ch] > 255 ? 255 : n[ch]);
    return true;
  }

  // The same sum in double precision, straight from the source pixels.
  bool DoublePixel(int x, int y, uint8_t* dst) const {
    const int taps_x = xs_.Count(x), taps_y = ys_.Count(y);
    const double* wx = wx_.data() + xs_.start[x];
    const double* wy = wy_.data() + ys_.start[y];
    double sum[3] = {0, 0, 0};
    for (int r = 0; r < taps_y; ++r) {
      const uint8_t* p = src_.Row(ys_.first[y] + r) + static_cast<size_t>(xs_.first[x]) * bpp_;
      double row[3] = {0, 0, 0};
      for (int c = 0; c < taps_x; ++c, p += bpp_) {
        for (int ch = 0; ch < 3; ++ch) row[ch] += wx[c] * p[ch];
      }
      for (int ch = 0; ch < 3; ++ch) sum[ch] += wy[r] * row[ch];
    }
    return Store(sum, DoubleMargin(taps_x, taps_y), dst);
  }

  const PixelView& src_;
  const AxisTaps& xs_;
  const AxisTaps& ys_;
  const double k_;
  PixelBuffer& out_;
  const int bpp_;
  std::vector<double> wx_, wy_;
  std::vector<float> wxf_, wyf_;
  std::vector<float> acc_;
};

}  // namespace

PixelBuffer SmoothResize(const PixelView& source, int width, int height, SmoothResizeStats* stats, Tier tier) {
  if (source.empty()) throw std::invalid_argument("SmoothResize: the picture has no pixels");
  if (width < 1 || height < 1) throw std::invalid_argument("SmoothResize: the target size must be at least 1 x 1");
  if (source.bytes_per_pixel != 3 && source.bytes_per_pixel != 4) {
    throw std::invalid_argument("SmoothResize: pixels must have 3 or 4 bytes");
  }
  const double sx = static_cast<double>(source.width) / width;
  const double sy = static_cast<double>(source.height) / height;
  const double k = static_cast<double>(static_cast<int64_t>(source.width) * source.height) / width / height;
  const AxisTaps xs = BuildTaps(source.width, width, sx);
  const AxisTaps ys = BuildTaps(source.height, height, sy);
  PixelBuffer out(width, height);
  SmoothResizeStats counts;
  // Footprints too small to fold (enlargement by a factor near a million) go cell by cell.
  if (!xs.usable || !ys.usable) tier = Tier::kExact;
  Resampler(source, xs, ys, k, out).Run(tier, counts);
  if (stats) *stats = counts;
  return out;
}

}  // namespace resize_detail

PixelBuffer SmoothResize(const PixelView& source, int width, int height, SmoothResizeStats* stats) {
  return resize_detail::SmoothResize(source, width, height, stats, resize_detail::Tier::kAuto);
}

}  // namespace zk
