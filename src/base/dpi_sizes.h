// Sizes at a screen's DPI: lengths designed at 96 DPI scaled to another DPI, and
// the picture size taken at a DPI from the sizes the pictures are made in.
#pragma once

#include <span>

namespace zk {

// The DPI the window layout and the fonts were designed at (100%).
inline constexpr int kDesignDpi = 96;

// The sizes toolbar, menu and icon pictures are made in.
inline constexpr int kPictureSizes[] = {16, 20, 24, 32, 40, 48, 64};

// A length designed at 96 DPI, at `dpi`, rounded to the nearest pixel (halves away
// from zero, so that negative font heights scale like positive lengths). A DPI of
// 0 or less counts as 96.
int ScaleForDpi(int length, int dpi);

// A length measured at `dpi` back at 96 DPI; the reverse of ScaleForDpi.
int UnscaleFromDpi(int length, int dpi);

// The picture size for a picture designed at `design_size` pixels shown at `dpi`:
// the largest of `sizes` (ascending) that is no larger than the scaled size, so that
// a picture is never stretched; the smallest when all are larger.
int PictureSizeForDpi(int design_size, int dpi, std::span<const int> sizes = kPictureSizes);

}  // namespace zk
