// Writing pictures: 24-bit rows (blue, green, red) into the bytes of a Windows
// bitmap, a JPEG or a PNG file.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "image/pixel_buffer.h"

namespace zk {

using FileBytes = std::vector<uint8_t>;

// An uncompressed 24-bit bottom-up bitmap file. nullopt when the picture is
// empty or too large for the format.
std::optional<FileBytes> EncodeBitmapFile(const PixelView& pixels);

struct JpegWriteOptions {
  int quality = 70;  // 1 to 100; others are clamped
  bool progressive = false;
};
// A JPEG in full colour, coded for the smallest file at the best picture
// (accurate transform, optimised tables). nullopt when the library fails.
std::optional<FileBytes> EncodeJpegFile(const PixelView& pixels, const JpegWriteOptions& options);

// A lossless 8-bit RGB PNG. nullopt when the library fails.
std::optional<FileBytes> EncodePngFile(const PixelView& pixels);

}  // namespace zk
