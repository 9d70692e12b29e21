// AVIF pictures through dav1d: 8-, 10- and 12-bit, 4:2:0, 4:2:2, 4:4:4 and
// monochrome, grids of tiles, alpha over the background, the colours turned
// into 8-bit sRGB-encoded BGR by the file's matrix and range. An image
// sequence shows its first frame.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "image/decoders/pixel_sink.h"

namespace zk {

// "dav1d" and its version, for the About box.
std::u16string AvifDecoderVersion();

// Decodes into rows asked once from `sink` and returns the EXIF orientation
// (1..8) that turns the picture upright. Throws PictureDecodeError for a file
// that does not decode, or a picture larger than the file justifies (checked
// before the decoder allocates anything).
int DecodeAvif(std::span<const uint8_t> file, Rgb background, PixelSink& sink);

}  // namespace zk
