#include "image/formats/bitmap_file_check.h"

#include <cstdlib>

#include "image/decoders/pixel_sink.h"
#include "image/formats/byte_reader.h"

namespace zk {
namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

bool Fail(std::string* reason, const char* why) {
  if (reason) *reason = why;
  return false;
}

}  // namespace

bool CheckBitmapFile(std::span<const uint8_t> head, uint64_t file_size, BitmapFileFacts* facts, std::string* reason) {
  formats::LeReader r(head);
  if (!r.Has(0, 18) || head[0] != 'B' || head[1] != 'M') return Fail(reason, "not a bitmap file");
  const uint64_t bits_offset = r.U32(10);
  const uint32_t info_size = r.U32(14);

  int64_t width = 0, height = 0;
  uint32_t bit_count = 0, compression = kRgb, colors_used = 0, image_size = 0;
  size_t color_entry = 4;
  if (info_size == 12) {
    if (!r.Has(14, 12)) return Fail(reason, "truncated header");
    width = r.U16(18);
    height = r.I16(20);
    bit_count = r.U16(24);
    color_entry = 3;
  } else if (info_size == 40 || info_size == 52 || info_size == 56 || info_size == 108 || info_size == 124) {
    if (!r.Has(14, info_size)) return Fail(reason, "truncated header");
    width = r.I32(18);
    height = r.I32(22);
    bit_count = r.U16(28);
    compression = r.U32(30);
    image_size = r.U32(34);
    colors_used = r.U32(46);
  } else {
    return Fail(reason, "unknown header size");
  }

  if (width <= 0 || height == 0 || height == INT32_MIN) return Fail(reason, "bad picture size");
  const bool top_down = height < 0;
  height = std::llabs(height);

  switch (bit_count) {
    case 1: case 4: case 8: case 24:
      break;
    case 16: case 32:
      if (info_size == 12) return Fail(reason, "bad bit count");
      break;
    default:
      return Fail(reason, "bad bit count");
  }
  switch (compression) {
    case kRgb: break;
    case kRle8: if (bit_count != 8 || top_down) return Fail(reason, "bad compression"); break;
    case kRle4: if (bit_count != 4 || top_down) return Fail(reason, "bad compression"); break;
    case kBitFields: if (bit_count != 16 && bit_count != 32) return Fail(reason, "bad compression"); break;
    default: return Fail(reason, "unsupported compression");
  }

  uint64_t table_at = 14 + info_size;
  if (compression == kBitFields) {
    // Masks follow a 40-byte header; the larger headers hold them inside.
    const size_t masks_at = 14 + 40;
    if (info_size == 40) table_at += 12;
    if (!r.Has(masks_at, 12)) return Fail(reason, "truncated masks");
    if (r.U32(masks_at) == 0 && r.U32(masks_at + 4) == 0 && r.U32(masks_at + 8) == 0)
      return Fail(reason, "zero colour masks");
  }
  uint64_t colors = 0;
  if (bit_count <= 8) {
    const uint64_t most = uint64_t{1} << bit_count;
    if (colors_used > most) return Fail(reason, "too many colours");
    colors = colors_used ? colors_used : most;
  } else {
    colors = colors_used;
    if (colors > 256) return Fail(reason, "too many colours");
  }
  if (table_at + colors * color_entry > file_size) return Fail(reason, "truncated colour table");

  if (!PictureSizeJustified(width, height, static_cast<int64_t>(file_size))) return Fail(reason, "picture too large");
  if (bits_offset == 0 || bits_offset >= file_size) return Fail(reason, "pixel data outside the file");
  if (compression == kRgb || compression == kBitFields) {
    const uint64_t row = ((static_cast<uint64_t>(width) * bit_count + 31) / 32) * 4;
    if (row * static_cast<uint64_t>(height) > file_size - bits_offset) return Fail(reason, "truncated pixel data");
  } else if (image_size == 0 || image_size > file_size - bits_offset) {
    // The platform's RLE reader is bounded only by the size the header gives.
    return Fail(reason, "truncated pixel data");
  }

  if (facts) *facts = {static_cast<int>(width), static_cast<int>(height), static_cast<int>(bit_count)};
  return true;
}

}  // namespace zk
