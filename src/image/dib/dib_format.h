// The records of the Windows bitmap format as they lie in files, clipboard
// blocks and the platform's drawing calls, defined here so that the portable
// code needs no platform headers. All fields are little-endian, as on every
// machine the program runs on.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace zk {

static_assert(std::endian::native == std::endian::little, "bitmap records are read by copying bytes");

#pragma pack(push, 2)
struct BitmapFileHeader {
  uint16_t bfType;  // "BM"
  uint32_t bfSize;
  uint16_t bfReserved1;
  uint16_t bfReserved2;
  uint32_t bfOffBits;
};
#pragma pack(pop)
static_assert(sizeof(BitmapFileHeader) == 14);
static_assert(offsetof(BitmapFileHeader, bfSize) == 2);
static_assert(offsetof(BitmapFileHeader, bfOffBits) == 10);

struct BitmapInfoHeader {
  uint32_t biSize;
  int32_t biWidth;
  int32_t biHeight;  // negative: rows run from the top
  uint16_t biPlanes;
  uint16_t biBitCount;
  uint32_t biCompression;
  uint32_t biSizeImage;
  int32_t biXPelsPerMeter;
  int32_t biYPelsPerMeter;
  uint32_t biClrUsed;
  uint32_t biClrImportant;
};
static_assert(sizeof(BitmapInfoHeader) == 40);
static_assert(offsetof(BitmapInfoHeader, biBitCount) == 14);
static_assert(offsetof(BitmapInfoHeader, biCompression) == 16);
static_assert(offsetof(BitmapInfoHeader, biXPelsPerMeter) == 24);
static_assert(offsetof(BitmapInfoHeader, biClrUsed) == 32);

struct BitmapCoreHeader {
  uint32_t bcSize;
  uint16_t bcWidth;
  uint16_t bcHeight;
  uint16_t bcPlanes;
  uint16_t bcBitCount;
};
static_assert(sizeof(BitmapCoreHeader) == 12);
static_assert(offsetof(BitmapCoreHeader, bcBitCount) == 10);

struct RgbQuad {
  uint8_t rgbBlue;
  uint8_t rgbGreen;
  uint8_t rgbRed;
  uint8_t rgbReserved;
  friend bool operator==(const RgbQuad&, const RgbQuad&) = default;
};
static_assert(sizeof(RgbQuad) == 4);

struct RgbTriple {
  uint8_t rgbtBlue;
  uint8_t rgbtGreen;
  uint8_t rgbtRed;
};
static_assert(sizeof(RgbTriple) == 3);

inline constexpr uint16_t kBitmapFileType = 0x4D42;  // "BM"
inline constexpr uint32_t kBiRgb = 0;
inline constexpr uint32_t kBiRle8 = 1;
inline constexpr uint32_t kBiRle4 = 2;
inline constexpr uint32_t kBiBitfields = 3;
inline constexpr int32_t kDefaultPelsPerMeter = 3780;  // 96 pixels per inch

// Bytes of one pixel row: whole 32-bit words. 64-bit so that hostile widths
// cannot overflow.
inline constexpr uint64_t DibRowBytes(uint64_t width, unsigned bit_count) {
  return (width * bit_count + 31) / 32 * 4;
}

inline uint16_t ReadLe16(const uint8_t* p) {
  uint16_t v;
  std::memcpy(&v, p, 2);
  return v;
}
inline uint32_t ReadLe32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

}  // namespace zk
