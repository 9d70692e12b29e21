#include "image/exif_orientation.h"

#include <cstring>

namespace zk {
namespace {

constexpr uint16_t kOrientationTag = 274;

}  // namespace

int TiffOrientation(std::span<const uint8_t> tiff) {
  if (tiff.size() < 8) return 1;
  const bool little = tiff[0] == 'I' && tiff[1] == 'I';
  if (!little && !(tiff[0] == 'M' && tiff[1] == 'M')) return 1;
  auto u16 = [&](size_t at) -> uint32_t {
    return little ? tiff[at] | tiff[at + 1] << 8 : tiff[at] << 8 | tiff[at + 1];
  };
  auto u32 = [&](size_t at) -> uint32_t { return little ? u16(at) | u16(at + 2) << 16 : u16(at) << 16 | u16(at + 2); };
  if (u16(2) != 42) return 1;
  const size_t ifd = u32(4);
  if (ifd > tiff.size() || tiff.size() - ifd < 2) return 1;
  const size_t count = u16(ifd);
  for (size_t i = 0; i < count; ++i) {
    const size_t entry = ifd + 2 + 12 * i;
    if (entry > tiff.size() || tiff.size() - entry < 12) return 1;
    if (u16(entry) != kOrientationTag) continue;
    // SHORT, one value, held in the entry itself.
    if (u16(entry + 2) != 3 || u32(entry + 4) != 1) return 1;
    const uint32_t value = u16(entry + 8);
    return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
  }
  return 1;
}

int JpegExifOrientation(std::span<const uint8_t> jpeg) {
  if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return 1;
  size_t at = 2;
  while (at + 4 <= jpeg.size()) {
    if (jpeg[at] != 0xFF) return 1;
    const uint8_t marker = jpeg[at + 1];
    if (marker == 0xFF) {  // fill byte
      ++at;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return 1;  // the scan starts: no Exif before it
    const size_t length = jpeg[at + 2] << 8 | jpeg[at + 3];
    if (length < 2 || jpeg.size() - at - 2 < length) return 1;
    const std::span<const uint8_t> body = jpeg.subspan(at + 4, length - 2);
    if (marker == 0xE1 && body.size() >= 6 && std::memcmp(body.data(), "Exif\0\0", 6) == 0)
      return TiffOrientation(body.subspan(6));
    at += 2 + length;
  }
  return 1;
}

void OrientPixels(PixelView src, int orientation, uint8_t* dst, ptrdiff_t dst_stride) {
  const int w = src.width, h = src.height;
  const bool swap = OrientationSwapsSides(orientation);
  const int out_w = swap ? h : w, out_h = swap ? w : h;
  for (int y = 0; y < out_h; ++y) {
    uint8_t* out = dst + y * dst_stride;
    for (int x = 0; x < out_w; ++x, out += 3) {
      int sx = x, sy = y;  // where the upright pixel (x, y) is stored
      switch (orientation) {
        case 2: sx = w - 1 - x; break;
        case 3: sx = w - 1 - x; sy = h - 1 - y; break;
        case 4: sy = h - 1 - y; break;
        case 5: sx = y; sy = x; break;
        case 6: sx = y; sy = h - 1 - x; break;
        case 7: sx = w - 1 - y; sy = h - 1 - x; break;
        case 8: sx = w - 1 - y; sy = x; break;
        default: break;
      }
      const uint8_t* in = src.Row(sy) + static_cast<ptrdiff_t>(sx) * src.bytes_per_pixel;
      out[0] = in[0];
      out[1] = in[1];
      out[2] = in[2];
    }
  }
}

}  // namespace zk
