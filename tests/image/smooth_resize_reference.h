// The smooth resampling written out literally, one source cell at a time, as
// the yardstick for the fast version: the tests compare the two byte for byte
// and the benchmark times them side by side.
#pragma once

#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "image/pixel_buffer.h"

namespace zk::reference {

inline PixelBuffer SmoothResize(const PixelView& src, int Wd, int Hd) {
  if (src.empty()) throw std::invalid_argument("no pixels");
  const int W = src.width, H = src.height, bpp = src.bytes_per_pixel;
  const double sx = static_cast<double>(W) / Wd;
  const double sy = static_cast<double>(H) / Hd;
  const double k = static_cast<double>(static_cast<int64_t>(W) * H) / Wd / Hd;
  auto pixel = [&](int col, int row) {
    col = col < 0 ? 0 : col > W - 1 ? W - 1 : col;
    row = row < 0 ? 0 : row > H - 1 ? H - 1 : row;
    return src.Row(row) + col * bpp;
  };
  // Length and mean local coordinate of [c, c + 1] within [lo, hi].
  auto overlap = [](int c, double lo, double hi, double& L, double& M) {
    if (c > lo && c + 1 < hi) {
      L = 1;
      M = 0.5;
    } else if (c <= lo && c + 1 < hi) {
      L = 1 - (lo - c);
      M = ((lo - c) + 1) / 2;
    } else if (c > lo && c + 1 >= hi) {
      L = hi - c;
      M = (hi - c) / 2;
    } else {
      L = hi - lo;
      M = ((hi - c) + (lo - c)) / 2;
    }
  };

  PixelBuffer out(Wd, Hd);
  for (int y = 0; y < Hd; ++y) {
    for (int x = 0; x < Wd; ++x) {
      const double u = x * sx - 0.5, v = y * sy - 0.5;
      const double r = (x + 1) * sx - 0.500001, b = (y + 1) * sy - 0.500001;
      double sum[3] = {0, 0, 0};
      for (int i = static_cast<int>(std::floor(v)); i <= static_cast<int>(std::floor(b)); ++i) {
        for (int j = static_cast<int>(std::floor(u)); j <= static_cast<int>(std::floor(r)); ++j) {
          const uint8_t* p00 = pixel(j, i);
          const uint8_t* p10 = pixel(j + 1, i);
          const uint8_t* p01 = pixel(j, i + 1);
          const uint8_t* p11 = pixel(j + 1, i + 1);
          double Lx, Mx, Ly, My;
          overlap(j, u, r, Lx, Mx);
          overlap(i, v, b, Ly, My);
          for (int ch = 0; ch < 3; ++ch) {
            const double A = p00[ch];
            const double B = static_cast<double>(p10[ch]) - p00[ch];
            const double C = static_cast<double>(p01[ch]) - p00[ch];
            const double D = static_cast<double>(p11[ch]) - p10[ch] - p01[ch] + p00[ch];
            sum[ch] += Lx * Ly * (A + B * Mx + C * My + D * Mx * My);
          }
        }
      }
      for (int ch = 0; ch < 3; ++ch) {
        const double value = std::nearbyint(sum[ch] / k);
        out.Row(y)[3 * x + ch] = static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
      }
    }
  }
  return out;
}

}  // namespace zk::reference
