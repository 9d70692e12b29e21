// JPEG pictures through libjpeg-turbo, at full scale.
#pragma once

#include <cstdint>
#include <span>

#include "image/decoders/pixel_sink.h"

namespace zk {

// Decodes a baseline or progressive JPEG (grey, YCbCr, RGB, CMYK or YCCK) into
// 24-bit rows asked once from `sink`. A file that ends early or whose data is
// damaged shows what decoded; the library paints the missing part mid-grey.
// Throws PictureDecodeError when no row can be had (and lets the sink's own
// exception through).
void DecodeJpeg(std::span<const uint8_t> data, PixelSink& sink);

}  // namespace zk
