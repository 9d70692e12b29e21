// 16- and 32-bit pictures with colour masks become 24-bit pictures while they
// are read, so that the rest of the container only knows 1, 4, 8 and 24 bits.
#include <bit>
#include <cstdint>
#include <vector>

#include "image/dib/dib_error.h"
#include "image/dib/dib_reader.h"

namespace zk {
namespace {

// One colour channel: the mask, the shift that brings its top bit to bit 7
// (negative: shift left) and the largest value that shift gives.
struct Channel {
  uint32_t mask;
  int shift;
  uint32_t maximum;

  explicit Channel(uint32_t m) : mask(m), shift(31 - std::countl_zero(m) - 7), maximum(Shifted(m)) {}
  uint32_t Shifted(uint32_t v) const { return shift >= 0 ? v >> shift : v << -shift; }
  uint8_t Value(uint32_t pixel) const { return static_cast<uint8_t>(Shifted(pixel & mask) * 255 / maximum); }
};

}  // namespace

uint64_t ConvertMaskedRows(ByteSource& source, int64_t rows_at, uint64_t available, TNkInternalDIB& dib,
                           const uint32_t masks[3]) {
  BitmapInfoHeader& h = dib.header;
  const unsigned bytes_per_pixel = h.biBitCount / 8;
  const uint64_t width = static_cast<uint64_t>(h.biWidth);
  const uint64_t rows = static_cast<uint64_t>(dib.Height());
  const uint64_t source_row = DibRowBytes(width, h.biBitCount);
  const uint64_t target_row = DibRowBytes(width, 24);
  // Every stored row must be there before anything is made for them.
  if (source_row > available / rows) throw ENkDIBInvalidFile(dib_messages::kDataTruncated);

  const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
  AllocatePixels(dib, target_row * rows);
  std::vector<uint8_t> line(static_cast<size_t>(source_row));
  for (uint64_t y = 0; y < rows; ++y) {
    // Rows keep their order, so a picture stored from the top stays so.
    if (source.ReadAt(rows_at + static_cast<int64_t>(y * source_row), line.data(), line.size()) != line.size())
      throw ENkDIBInvalidFile(dib_messages::kDataTruncated);
    uint8_t* out = dib.Bits() + y * target_row;
    const uint8_t* in = line.data();
    for (uint64_t x = 0; x < width; ++x, in += bytes_per_pixel, out += 3) {
      uint32_t pixel = bytes_per_pixel == 2 ? ReadLe16(in) : ReadLe32(in);
      out[0] = blue.Value(pixel);
      out[1] = green.Value(pixel);
      out[2] = red.Value(pixel);
    }
  }
  h.biBitCount = 24;
  h.biCompression = kBiRgb;
  h.biSizeImage = 0;
  return source_row * rows;
}

}  // namespace zk
