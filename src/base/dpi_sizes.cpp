#include "base/dpi_sizes.h"

#include <cstdlib>

namespace zk {

int ScaleForDpi(int length, int dpi) {
  if (dpi <= 0) dpi = kDesignDpi;
  const long long scaled = static_cast<long long>(std::abs(length)) * dpi;
  const int magnitude = static_cast<int>((scaled + kDesignDpi / 2) / kDesignDpi);
  return length < 0 ? -magnitude : magnitude;
}

int UnscaleFromDpi(int length, int dpi) {
  if (dpi <= 0) dpi = kDesignDpi;
  const long long scaled = static_cast<long long>(std::abs(length)) * kDesignDpi;
  const int magnitude = static_cast<int>((scaled + dpi / 2) / dpi);
  return length < 0 ? -magnitude : magnitude;
}

int PictureSizeForDpi(int design_size, int dpi, std::span<const int> sizes) {
  if (sizes.empty()) return ScaleForDpi(design_size, dpi);
  const int wanted = ScaleForDpi(design_size, dpi);
  int chosen = sizes.front();
  for (int size : sizes)
    if (size <= wanted) chosen = size;
  return chosen;
}

}  // namespace zk
