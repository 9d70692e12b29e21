#include "image/dib/dib_expand.h"

#include <limits>

#include "image/dib/dib_error.h"

namespace zk {
namespace {

// Writes colour indices into plain rows, ignoring what falls outside.
class IndexCanvas {
 public:
  IndexCanvas(uint64_t width, uint64_t rows, unsigned bits)
      : width_(width), rows_(rows), bits_(bits), stride_(DibRowBytes(width, bits)),
        data_(static_cast<size_t>(stride_ * rows)) {}
  void Put(uint64_t x, uint64_t y, uint8_t index) {
    if (x >= width_ || y >= rows_) return;
    uint8_t* row = data_.data() + y * stride_;
    if (bits_ == 8) {
      row[x] = index;
    } else if (x % 2 == 0) {
      row[x / 2] = static_cast<uint8_t>((row[x / 2] & 0x0F) | (index << 4));
    } else {
      row[x / 2] = static_cast<uint8_t>((row[x / 2] & 0xF0) | (index & 0x0F));
    }
  }
  uint64_t rows() const { return rows_; }
  std::vector<uint8_t> Take() { return std::move(data_); }

 private:
  uint64_t width_, rows_;
  unsigned bits_;
  uint64_t stride_;
  std::vector<uint8_t> data_;
};

uint8_t Nibble(uint8_t byte, uint64_t k) { return k % 2 == 0 ? byte >> 4 : byte & 0x0F; }

}  // namespace

std::vector<uint8_t> DecodeRLE(const TNkInternalDIB& dib) {
  const bool four = dib.header.biBitCount == 4;
  IndexCanvas canvas(static_cast<uint64_t>(dib.Width()), static_cast<uint64_t>(dib.Height()), four ? 4 : 8);
  const uint8_t* d = dib.Bits();
  const size_t size = dib.pixel_size;
  uint64_t x = 0, y = 0;
  size_t i = 0;
  while (i + 1 < size && y < canvas.rows()) {
    const uint8_t n = d[i], v = d[i + 1];
    i += 2;
    if (n > 0) {  // a run of one index (RLE8) or of two alternating ones (RLE4)
      for (uint64_t k = 0; k < n; ++k, ++x) canvas.Put(x, y, four ? Nibble(v, k) : v);
    } else if (v == 0) {  // end of line
      x = 0;
      ++y;
    } else if (v == 1) {  // end of picture
      break;
    } else if (v == 2) {  // move right and up
      if (i + 1 >= size) break;
      x += d[i];
      y += d[i + 1];
      i += 2;
    } else {  // v literal indices, padded to a 16-bit boundary
      const size_t bytes = four ? (v + 1u) / 2 : v;
      for (uint64_t k = 0; k < v; ++k, ++x) {
        size_t at = i + (four ? k / 2 : k);
        if (at >= size) break;
        canvas.Put(x, y, four ? Nibble(d[at], k) : d[at]);
      }
      i += (bytes + 1) & ~size_t{1};
    }
  }
  return canvas.Take();
}

DIBPixels ExpandToRGB(const TNkInternalDIB& dib) {
  const TNkPixelFormat format = dib.GetPixelFormat();
  const uint64_t width = static_cast<uint64_t>(dib.Width()), rows = static_cast<uint64_t>(dib.Height());
  if (width * rows > std::numeric_limits<size_t>::max() / 4) throw ENkDIBOutOfResources(dib_messages::kHeapExhausted);
  const unsigned bits = dib.header.biBitCount;
  const uint64_t stride = DibRowBytes(width, bits);

  std::vector<uint8_t> decoded;
  const uint8_t* plain = dib.Bits();
  if (format == nkPf4BitRLE || format == nkPf8BitRLE) {
    decoded = DecodeRLE(dib);
    plain = decoded.data();
  } else if (dib.pixel_size < stride * rows) {
    throw ENkDIBInvalidFile(dib_messages::kDataTruncated);
  }

  DIBPixels out;
  out.width = dib.Width();
  out.height = dib.Height();
  out.pixels.resize(static_cast<size_t>(width * rows));
  auto color = [&](unsigned index) {
    const RgbQuad& q = dib.colors[index];
    return uint32_t{q.rgbRed} << 16 | uint32_t{q.rgbGreen} << 8 | q.rgbBlue;
  };
  uint32_t* target = out.pixels.data();
  for (uint64_t r = 0; r < rows; ++r) {
    const uint8_t* row = plain + (dib.TopDown() ? r : rows - 1 - r) * stride;
    for (uint64_t x = 0; x < width; ++x) {
      switch (bits) {
        case 1: *target++ = color((row[x / 8] >> (7 - x % 8)) & 1); break;
        case 4: *target++ = color(Nibble(row[x / 2], x)); break;
        case 8: *target++ = color(row[x]); break;
        default: {
          const uint8_t* p = row + 3 * x;
          *target++ = uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
        }
      }
    }
  }
  return out;
}

}  // namespace zk
