// Encoders for the decoder tests and benchmarks: small pictures written with
// the same libraries the decoders read them with, so every case is a round
// trip with known pixels.
#pragma once

#include <cstdint>
#include <ostream>
#include <span>
#include <vector>

#include "image/decoders/pixel_sink.h"

namespace zk {
// Readable colours in test failures.
inline void PrintTo(const Rgb& c, std::ostream* os) { *os << '(' << +c.r << ',' << +c.g << ',' << +c.b << ')'; }
}  // namespace zk

namespace zk::test {

using Bytes = std::vector<uint8_t>;

// `samples` holds width x components bytes per row, top row first.
// components: 1 grey, 3 RGB, 4 CMYK (written as CMYK, or as YCCK when ycck).
struct JpegRecipe {
  int width = 0, height = 0, components = 3;
  std::vector<uint8_t> samples{};
  int quality = 100;
  bool progressive = false;
  bool ycck = false;
  bool full_chroma = true;  // false: the usual half-resolution chroma
};
Bytes EncodeJpeg(const JpegRecipe& recipe);

// `samples` holds width x channels values per row (each below 2^bit_depth;
// palette indices for palette pictures), top row first.
struct PngRecipe {
  int width = 0, height = 0;
  int color_type = 0;  // PNG_COLOR_TYPE_*
  int bit_depth = 8;
  bool interlaced = false;
  std::vector<uint16_t> samples{};
  std::vector<Rgb> palette{};
  std::vector<uint8_t> palette_alpha{};   // tRNS of a palette picture
  int transparent_grey = -1;            // tRNS of a grey picture
  int transparent_rgb[3] = {-1, -1, -1};  // tRNS of an RGB picture
  int compression_level = 6;
};
Bytes EncodePng(const PngRecipe& recipe);

struct GifFrameRecipe {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<uint8_t> indices{};  // width x height, top row first
  bool interlaced = false;
  int disposal = 0;
  int delay = 0;  // hundredths of a second
  int transparent = -1;
  bool control = true;  // write a graphic control extension
  std::vector<Rgb> local_colours{};
};
struct GifRecipe {
  int width = 0, height = 0;
  std::vector<Rgb> global_colours{};  // a power of two entries, or none
  int loops = -1;                   // NETSCAPE2.0 repeat count, -1: no extension
  std::vector<GifFrameRecipe> frames{};
};
Bytes EncodeGif(const GifRecipe& recipe);

// The first n bytes of a file.
inline std::span<const uint8_t> Prefix(const Bytes& file, size_t n) { return std::span<const uint8_t>(file).first(n); }

// A sink whose rows lie bottom-up in memory, like a Windows DIB, and which
// counts how often it was asked.
class CountingSink final : public PixelSink {
 public:
  PixelTarget Allocate(int width, int height) override {
    ++calls;
    buffer = PixelBuffer(width, height);
    return {buffer.bytes.data() + (height - 1) * buffer.stride, -buffer.stride};
  }
  // Pixel (x, y) counted from the top, as red, green, blue.
  Rgb At(int x, int y) const {
    const uint8_t* p = buffer.Row(buffer.height - 1 - y) + 3 * x;
    return {p[2], p[1], p[0]};
  }
  int calls = 0;
  PixelBuffer buffer;
};

}  // namespace zk::test
