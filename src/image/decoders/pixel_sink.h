// Where a picture decoder writes its pixels. The decoder learns the size from
// the file, asks the sink once for rows of that size and fills them top to
// bottom; the Win32 side hands out the rows of a DIB section, so a decoded
// picture is never held twice.
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/pixel_buffer.h"

namespace zk {

// 24-bit rows, bytes blue, green, red; `stride` may be negative (bottom-up memory).
struct PixelTarget {
  uint8_t* top_row = nullptr;
  ptrdiff_t stride = 0;
  uint8_t* Row(int y) const { return top_row + y * stride; }
};

class PixelSink {
 public:
  virtual ~PixelSink() = default;
  // Rows for a width x height picture (both at least 1). Throws when the
  // memory cannot be had; the decoder lets that through.
  virtual PixelTarget Allocate(int width, int height) = 0;
};

// A sink into an owned buffer, for the portable code and the tests.
class BufferPixelSink final : public PixelSink {
 public:
  PixelTarget Allocate(int width, int height) override {
    buffer = PixelBuffer(width, height);
    return {buffer.bytes.data(), buffer.stride};
  }
  PixelBuffer buffer;
};

// A background colour, for pictures with transparent parts.
struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// The most pixels a picture may claim: decoders refuse larger pictures, and
// pictures whose file is far too small to hold that many pixels, before any
// allocation. No real encoder packs more than this many pixels per byte.
constexpr int64_t kMaxPicturePixels = int64_t{1} << 28;
constexpr int64_t kMaxPixelsPerFileByte = 8192;

// True when a width x height picture from a file of `file_size` bytes may be decoded.
inline bool PictureSizeJustified(int64_t width, int64_t height, int64_t file_size) {
  if (width < 1 || height < 1) return false;
  const int64_t pixels = width * height;  // both below 2^31: no overflow
  if (pixels > kMaxPicturePixels) return false;
  return pixels <= (file_size < 1 ? 1 : file_size) * kMaxPixelsPerFileByte;
}

}  // namespace zk
