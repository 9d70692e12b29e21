// PNG pictures through libpng: every colour type and bit depth, interlaced
// files, and transparency composited over a background colour.
#pragma once

#include <cstdint>
#include <span>

#include "image/decoders/pixel_sink.h"

namespace zk {

// Decodes the PNG in `data` into 24-bit rows asked once from `sink`; pixels
// that are wholly or partly transparent (alpha channel or tRNS) are blended
// over `background`. A file whose image data ends early or is damaged shows
// the rows that decoded, the rest in the background colour. Throws
// PictureDecodeError when no row can be had (and lets the sink's own
// exception through).
void DecodePng(std::span<const uint8_t> data, Rgb background, PixelSink& sink);

}  // namespace zk
