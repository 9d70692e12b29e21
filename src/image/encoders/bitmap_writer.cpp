#include <cstring>
#include <limits>

#include "image/encoders/picture_writers.h"

namespace zk {
namespace {

void Put16(uint8_t* p, uint32_t v) {
  p[0] = uint8_t(v);
  p[1] = uint8_t(v >> 8);
}
void Put32(uint8_t* p, uint32_t v) {
  Put16(p, v & 0xFFFF);
  Put16(p + 2, v >> 16);
}

}  // namespace

std::optional<FileBytes> EncodeBitmapFile(const PixelView& pixels) {
  if (pixels.empty() || (pixels.bytes_per_pixel != 3 && pixels.bytes_per_pixel != 4)) return std::nullopt;
  constexpr size_t kHeaders = 14 + 40;
  const size_t row = static_cast<size_t>(PixelBuffer::RowBytes(pixels.width));
  const size_t image = row * static_cast<size_t>(pixels.height);
  if (image / row != static_cast<size_t>(pixels.height) || image > std::numeric_limits<uint32_t>::max() - kHeaders)
    return std::nullopt;
  FileBytes file(kHeaders + image, 0);
  uint8_t* h = file.data();
  h[0] = 'B';
  h[1] = 'M';
  Put32(h + 2, static_cast<uint32_t>(file.size()));
  Put32(h + 10, kHeaders);
  Put32(h + 14, 40);
  Put32(h + 18, static_cast<uint32_t>(pixels.width));
  Put32(h + 22, static_cast<uint32_t>(pixels.height));  // positive: bottom row first
  Put16(h + 26, 1);
  Put16(h + 28, 24);
  Put32(h + 34, static_cast<uint32_t>(image));
  Put32(h + 38, 3780);  // 96 dpi
  Put32(h + 42, 3780);
  for (int y = 0; y < pixels.height; ++y) {
    const uint8_t* src = pixels.Row(y);
    uint8_t* dst = file.data() + kHeaders + row * static_cast<size_t>(pixels.height - 1 - y);
    if (pixels.bytes_per_pixel == 3) {
      std::memcpy(dst, src, static_cast<size_t>(pixels.width) * 3);
    } else {
      for (int x = 0; x < pixels.width; ++x, src += 4, dst += 3) std::memcpy(dst, src, 3);
    }
  }
  return file;
}

}  // namespace zk
