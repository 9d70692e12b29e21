// Picture files made by the tests themselves, byte by byte: bitmaps of any
// layout, icons, and (Windows tests only) metafiles drawn by the platform.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Bitmap parts are written with designated initializers that name only the
// fields a test cares about; the rest keep their defaults on purpose.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace zk::test {

// Appends v little-endian.
void PutLe16(std::string& out, uint32_t v);
void PutLe32(std::string& out, uint32_t v);

// Writes v little-endian at `at`, growing the buffer when needed.
template <class Buffer>
void Put16(Buffer& b, size_t at, uint16_t v) {
  if (b.size() < at + 2) b.resize(at + 2);
  b[at] = static_cast<typename Buffer::value_type>(v & 0xFF);
  b[at + 1] = static_cast<typename Buffer::value_type>(v >> 8);
}
template <class Buffer>
void Put32(Buffer& b, size_t at, uint32_t v) {
  Put16(b, at, static_cast<uint16_t>(v & 0xFFFF));
  Put16(b, at + 2, static_cast<uint16_t>(v >> 16));
}

// A bitmap; colours are written as 0xRRGGBB values.
struct BmpParts {
  uint32_t header_size = 40;  // 12 (core), 40, 108 or 124
  int32_t width = 1;
  int32_t height = 1;
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t clr_used = 0;
  uint32_t size_image = 0;
  int32_t resolution = 0;
  std::vector<uint32_t> colors;  // written as the colour table, however many
  std::vector<uint32_t> masks;   // behind a 40-byte header, inside a larger one
  std::string pixels;
  std::optional<uint32_t> off_bits;   // default: right behind the colour table
  std::optional<uint32_t> file_size;  // default: the real size
};

// The info header, masks and colour table (the clipboard layout without
// pixels). Headers of 108 bytes and more name sRGB as their colour space.
std::string InfoPart(const BmpParts& s);
std::string MakeBmp(const BmpParts& s);
// A file with the 12-byte core header; colours in 3-byte entries.
std::string MakeCoreBmp(uint16_t width, uint16_t height, uint16_t bits, const std::vector<uint32_t>& colors,
                        const std::string& pixels);

// The left half red, the right half blue: with a 124-byte (V5) header, 32
// bits with bit-field masks, top-down.
std::string V5BitmapFile(int width, int height);
// The same picture in the plain 40-byte form, 24 bits, bottom-up.
std::string PlainBitmapFile(int width, int height);

// An icon image: a bitmap of size x size, 32-bit ones filled with `colour`.
struct IconImage {
  int size = 16;
  int bits = 32;
  uint32_t colour = 0;
};
// An icon file; by default with 16 x 16 and 48 x 48 images of 32 bits, the large one green.
std::string IconFile(const std::vector<IconImage>& images = {{16, 32, 0xC80000}, {48, 32, 0x00C800}});

// Made by the platform, for the Windows tests: an enhanced metafile of 2 x 1
// inches with a red rectangle on its left half, and the same drawing as a
// Windows metafile with a placeable header (1440 units per inch).
std::string EnhancedMetafile();
std::string PlaceableMetafile();

}  // namespace zk::test
