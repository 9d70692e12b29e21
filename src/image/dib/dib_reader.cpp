#include "image/dib/dib_reader.h"

#include <cstdint>
#include <limits>

#include "image/dib/dib_error.h"

namespace zk {

using namespace dib_messages;

namespace {

// Reads the headers field by field from a position relative to the start.
class Cursor {
 public:
  Cursor(ByteSource& source, int64_t start) : source_(source), start_(start) {}
  void Read(void* buf, size_t n) {
    if (source_.ReadAt(start_ + pos_, buf, n) != n) throw ENkDIBInvalidFile(kDataTruncated);
    pos_ += static_cast<int64_t>(n);
  }
  void Skip(uint64_t n) { pos_ += static_cast<int64_t>(n); }

 private:
  ByteSource& source_;
  int64_t start_;
  int64_t pos_ = 0;
};

// product <= limit, without overflowing.
bool ProductFits(uint64_t a, uint64_t b, uint64_t limit) { return b == 0 || a <= limit / b; }

// Pictures kept RLE-compressed may cover at most this many pixels, or 256 per
// byte of compressed data when that is more: far beyond what real encoders
// reach, yet a few bytes cannot make the drawing and conversion code expand
// gigabytes.
constexpr uint64_t kRleFreeArea = uint64_t{1} << 24;

struct Headers {
  uint64_t off_bits = 0;       // from the start
  int64_t declared_size = -1;  // pixel data size the file header announces; -1: up to the end
  bool has_masks = false;
  uint32_t masks[3] = {};
};

void FixResolution(BitmapInfoHeader& h) {
  if (h.biXPelsPerMeter == 0) h.biXPelsPerMeter = kDefaultPelsPerMeter;
  if (h.biYPelsPerMeter == 0) h.biYPelsPerMeter = kDefaultPelsPerMeter;
}

void ReadInfoHeader(Cursor& in, DIBLayout layout, TNkInternalDIB& dib, Headers& hd) {
  BitmapInfoHeader& h = dib.header;
  in.Read(reinterpret_cast<uint8_t*>(&h) + 4, sizeof(h) - 4);
  h.biSize = sizeof(h);
  FixResolution(h);
  switch (h.biBitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: throw ENkDIBInvalidFile(kInvalidBitCount40);
  }
  if (h.biClrUsed == 0 && h.biBitCount <= 8) h.biClrUsed = 1u << h.biBitCount;
  uint64_t colors = h.biClrUsed;
  if (h.biCompression == kBiBitfields) {
    in.Read(hd.masks, sizeof(hd.masks));
    hd.has_masks = true;
  }
  uint64_t kept = std::min<uint64_t>(colors, 256);
  in.Read(dib.colors.data(), kept * sizeof(RgbQuad));
  uint64_t table_end = (layout == DIBLayout::kFile ? 14 : 0) + 40 + 4 * colors + (hd.has_masks ? 12 : 0);
  if (layout == DIBLayout::kPacked) hd.off_bits = table_end;
  else if (hd.off_bits < table_end) throw ENkDIBInvalidFile(kOffBitsTooSmall);
  h.biClrUsed = static_cast<uint32_t>(kept);
}

void ReadCoreHeader(Cursor& in, DIBLayout layout, TNkInternalDIB& dib, Headers& hd) {
  uint8_t rest[sizeof(BitmapCoreHeader) - 4];
  in.Read(rest, sizeof(rest));
  BitmapCoreHeader core{12, ReadLe16(rest), ReadLe16(rest + 2), ReadLe16(rest + 4), ReadLe16(rest + 6)};
  switch (core.bcBitCount) {
    case 1: case 4: case 8: case 24: break;
    default: throw ENkDIBInvalidFile(kInvalidBitCount12);
  }
  unsigned colors = core.bcBitCount <= 8 ? 1u << core.bcBitCount : 0;
  RgbTriple triples[256];
  in.Read(triples, colors * sizeof(RgbTriple));
  uint64_t table_end = (layout == DIBLayout::kFile ? 14 : 0) + 12 + 3 * colors;
  if (layout == DIBLayout::kPacked) hd.off_bits = table_end;
  else if (hd.off_bits < table_end) throw ENkDIBInvalidFile(kOffBitsTooSmall);

  BitmapInfoHeader& h = dib.header;
  h = BitmapInfoHeader{};
  h.biSize = sizeof(h);
  h.biWidth = core.bcWidth;
  h.biHeight = core.bcHeight;
  h.biPlanes = 1;
  h.biBitCount = core.bcBitCount;
  h.biCompression = kBiRgb;
  h.biXPelsPerMeter = h.biYPelsPerMeter = kDefaultPelsPerMeter;
  h.biClrUsed = colors;
  for (unsigned i = 0; i < colors; ++i)
    dib.colors[i] = RgbQuad{triples[i].rgbtBlue, triples[i].rgbtGreen, triples[i].rgbtRed, 0};
}

}  // namespace

void AllocatePixels(TNkInternalDIB& dib, uint64_t size) {
  if (size > std::numeric_limits<size_t>::max()) throw ENkDIBOutOfResources(kHeapExhausted);
  dib.pixels = CurrentPixelMemory().Allocate(static_cast<size_t>(size));
  dib.pixel_size = static_cast<size_t>(size);
}

namespace {

// Reads the 1-, 4-, 8- and 24-bit pixel data as it is stored.
void ReadStoredPixels(ByteSource& source, int64_t data_at, uint64_t available, const Headers& hd,
                      TNkInternalDIB& dib) {
  BitmapInfoHeader& h = dib.header;
  TNkPixelFormat format = dib.GetPixelFormat();
  uint64_t rows = static_cast<uint64_t>(dib.Height());
  // The announced size, unless the file header lies about it.
  uint64_t size = hd.declared_size > 0 && static_cast<uint64_t>(hd.declared_size) <= available
                      ? static_cast<uint64_t>(hd.declared_size)
                      : available;
  if (format == nkPf4BitRLE || format == nkPf8BitRLE) {
    // Compressed rows always run from the bottom.
    if (h.biHeight < 0) throw ENkDIBInvalidFile(kInvalidWidthOrHeight);
    if (size == 0) throw ENkDIBInvalidFile(kDataTruncated);
    if (!ProductFits(static_cast<uint64_t>(h.biWidth), rows, std::max(kRleFreeArea, size * 256)))
      throw ENkDIBInvalidFile(kInvalidWidthOrHeight);
    h.biSizeImage = static_cast<uint32_t>(std::min<uint64_t>(size, UINT32_MAX));
  } else {
    uint64_t row_bytes = DibRowBytes(static_cast<uint64_t>(h.biWidth), h.biBitCount);
    if (!ProductFits(row_bytes, rows, available)) throw ENkDIBInvalidFile(kDataTruncated);
    size = std::max(size, row_bytes * rows);
    if (h.biSizeImage > size) h.biSizeImage = static_cast<uint32_t>(size);
  }
  AllocatePixels(dib, size);
  if (source.ReadAt(data_at, dib.Bits(), dib.pixel_size) != dib.pixel_size)
    throw ENkDIBInvalidFile(kDataTruncated);
}

}  // namespace

std::shared_ptr<TNkInternalDIB> ReadDIB(ByteSource& source, int64_t start, DIBLayout layout, int64_t* end) {
  Cursor in(source, start);
  Headers hd;
  if (layout == DIBLayout::kFile) {
    uint8_t file_header[sizeof(BitmapFileHeader)];
    in.Read(file_header, sizeof(file_header));
    if (ReadLe16(file_header) != kBitmapFileType) throw ENkDIBInvalidFile(kFileTypeInvalid);
    uint32_t file_size = ReadLe32(file_header + 2);
    hd.off_bits = ReadLe32(file_header + 10);
    hd.declared_size = static_cast<int64_t>(file_size) - static_cast<int64_t>(hd.off_bits);
  }
  uint8_t size_field[4];
  in.Read(size_field, 4);
  uint32_t header_size = ReadLe32(size_field);

  auto dib = std::make_shared<TNkInternalDIB>();
  if (header_size == 40) ReadInfoHeader(in, layout, *dib, hd);
  else if (header_size == 12) ReadCoreHeader(in, layout, *dib, hd);
  else throw ENkDIBInvalidFile(layout == DIBLayout::kFile ? kInvalidHeaderSize : kClipboardInvalidData);

  BitmapInfoHeader& h = dib->header;
  h.biPlanes = 1;
  // The most negative height has no absolute value in 32 bits.
  if (h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN) throw ENkDIBInvalidFile(kInvalidWidthOrHeight);

  int64_t total = source.Size();
  int64_t data_at = start + static_cast<int64_t>(hd.off_bits);
  uint64_t available = total > data_at ? static_cast<uint64_t>(total - data_at) : 0;
  uint64_t consumed;
  if (h.biBitCount == 16 || h.biBitCount == 32) {
    if (!hd.has_masks) {
      hd.masks[0] = h.biBitCount == 16 ? 0x7C00 : 0xFF0000;
      hd.masks[1] = h.biBitCount == 16 ? 0x3E0 : 0xFF00;
      hd.masks[2] = h.biBitCount == 16 ? 0x1F : 0xFF;
    }
    if (hd.masks[0] == 0 || hd.masks[1] == 0 || hd.masks[2] == 0) throw ENkDIBInvalidFile(kInvalidMasks);
    consumed = ConvertMaskedRows(source, data_at, available, *dib, hd.masks);
  } else {
    ReadStoredPixels(source, data_at, available, hd, *dib);
    consumed = dib->pixel_size;
  }
  if (end) *end = data_at + static_cast<int64_t>(consumed);
  return dib;
}

}  // namespace zk
